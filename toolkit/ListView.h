// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A list view in report layout: columns with captions and widths, rows of a
// caption and sub-items, a selected state per row, grid lines, and the first
// column editable in place. Rows live as bytes in a row store (ListRows), so a
// table of a million rows fills quickly and takes little memory; the model
// makes a text only for a cell it is asked for.

#include "toolkit/Alignment.h"
#include "toolkit/ControlFace.h"
#include "toolkit/ListRows.h"
#include "toolkit/Strings.h"

#include <QAbstractTableModel>
#include <QTableView>
#include <span>
#include <vector>

namespace twl {

class TListView;

class TListColumn : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int Width READ Width WRITE setWidth)
    Q_PROPERTY(twl::TAlignmentEnum::TAlignment Alignment READ Alignment WRITE setAlignment)

public:
    TListColumn(TListView* view, int index);
    QString Caption() const;
    void setCaption(const QString& c);
    int Width() const;
    void setWidth(int w);
    TAlignment Alignment() const;
    void setAlignment(TAlignment a);
    int index() const { return m_index; }

private:
    TListView* m_view;
    int m_index;
};

class TListColumns : public TCollection {
    Q_OBJECT
public:
    explicit TListColumns(TListView* view);
    int Count() const override { return static_cast<int>(m_columns.size()); }
    QObject* Items(int index) const override;
    TListColumn* column(int index) const;
    TListColumn* Add();
    // Removes the last column (a column a calculation added for its rows).
    void RemoveLast();

private:
    friend class TListView;
    TListView* m_view;
    std::vector<TListColumn*> m_columns;
};

// One row as the view reads it: its caption and sub-items, made on demand
// from the view's row store, and its selected state when it was read.
class TListItemData {
public:
    TListItemData(const ListRows& rows, int row)
        : selected(rows.selected(row))
        , m_rows(&rows)
        , m_row(row) {}
    QString caption() const { return m_rows->cell(m_row, 0); }
    qsizetype subItemCount() const { return m_rows->cellCount(m_row) - 1; }
    QString subItem(qsizetype index) const { return m_rows->cell(m_row, index + 1); }

    bool selected;

private:
    const ListRows* m_rows;
    int m_row;
};

class TListView : public QTableView {
    Q_OBJECT
    TWL_CONTROL_PROPERTIES
    Q_PROPERTY(twl::TListColumns* Columns READ Columns)
    Q_PROPERTY(bool GridLines READ GridLines WRITE setGridLines)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE setReadOnly)
    Q_PROPERTY(bool RowSelect READ RowSelect WRITE setRowSelect)
    Q_PROPERTY(bool MultiSelect READ MultiSelect WRITE setMultiSelect)
    TWL_CONTROL_ACCESSORS

public:
    explicit TListView(QWidget* parent = nullptr);
    ~TListView() override;

    TListColumns* Columns() const { return m_columns; }
    TListColumn* AddColumn(const QString& caption, int width);

    bool GridLines() const { return showGrid(); }
    void setGridLines(bool v) { setShowGrid(v); }
    bool ReadOnly() const { return m_readOnly; }
    void setReadOnly(bool v) { m_readOnly = v; }
    bool RowSelect() const { return selectionBehavior() == QAbstractItemView::SelectRows; }
    void setRowSelect(bool v);
    bool MultiSelect() const { return selectionMode() == QAbstractItemView::ExtendedSelection; }
    void setMultiSelect(bool v);

    // Rows. Appends reach the view once control returns to the event loop (or
    // earlier, when a column is added or a row's selection set), so a long
    // calculation does not redraw per row; the row accessors see every row at once.
    int itemCount() const { return m_items.count(); }
    int addItem(const QString& caption, const QStringList& subItems = {});
    int addItem(QStringView caption, std::span<const QStringView> subItems);
    // Adds a sub-item to an existing row (rows are built cell by cell).
    void appendSubItem(int index, const QString& text);
    void clearItems();
    // Throws std::out_of_range for a row that is not there.
    TListItemData item(int index) const { return TListItemData(m_items, index); }
    QString itemCaption(int index) const;
    void setItemCaption(int index, const QString& caption);
    bool itemSelected(int index) const;
    void setItemSelected(int index, bool selected);
    // Text of cell (row, column): column 0 is the caption, column c sub-item c-1.
    QString cellText(int row, int column) const;

    // The selected rows as a spreadsheet pastes them: every column, cells
    // separated by tabs, one line per row ("" when no row is selected).
    QString selectedRowsText() const;

    // Grows by one at every change of rows, cells or columns, so readers can
    // cache what they derive from the contents.
    quint64 revision() const { return m_revision; }

signals:
    void contentsChanged();

protected:
    // Ctrl+C copies the selected rows (selectedRowsText) to the clipboard.
    void keyPressEvent(QKeyEvent* e) override;
    // Home and End go to the first and the last row, as in any list.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    friend class TListColumn;
    friend class TListColumns;
    class Model;
    void touch();
    void flushAppends() const;
    void syncSelection(const QItemSelection& selected, const QItemSelection& deselected);

    ControlFace m_face{this, QPalette::Base, clWindow};
    TListColumns* m_columns;
    Model* m_model;
    ListRows m_items;
    std::vector<QString> m_captions;
    std::vector<TAlignment> m_alignments;
    mutable int m_shownRows = 0;
    bool m_readOnly = false;
    bool m_syncingSelection = false;
    quint64 m_revision = 0;
};

} // namespace twl
