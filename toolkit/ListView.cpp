// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ListView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QTimer>
#include <QVarLengthArray>

namespace twl {

class TListView::Model : public QAbstractTableModel {
public:
    explicit Model(TListView* view)
        : QAbstractTableModel(view)
        , m_view(view) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : m_view->m_shownRows;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_view->m_captions.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return m_view->cellText(index.row(), index.column());
        if (role == Qt::TextAlignmentRole) {
            const TAlignment a = m_view->m_alignments.at(static_cast<std::size_t>(index.column()));
            return QVariant::fromValue(toQtAlignment(a) | Qt::AlignVCenter);
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            section < static_cast<int>(m_view->m_captions.size()))
            return m_view->m_captions[static_cast<std::size_t>(section)];
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags f = QAbstractTableModel::flags(index);
        if (index.column() == 0 && !m_view->m_readOnly) f |= Qt::ItemIsEditable;
        return f;
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::EditRole || index.column() != 0) return false;
        m_view->setItemCaption(index.row(), value.toString());
        return true;
    }

    void appendShown(int first, int last) {
        beginInsertRows({}, first, last);
        m_view->m_shownRows = last + 1;
        endInsertRows();
    }
    void resetAll() {
        beginResetModel();
        m_view->m_shownRows = m_view->m_items.count();
        endResetModel();
    }
    void columnsChanged() {
        beginResetModel();
        endResetModel();
    }
    void cellChanged(int row, int column) {
        emit dataChanged(index(row, column), index(row, column));
    }

private:
    TListView* m_view;
};

TListColumn::TListColumn(TListView* view, int index)
    : QObject(view->m_columns)
    , m_view(view)
    , m_index(index) {}

QString TListColumn::Caption() const {
    return m_view->m_captions.at(static_cast<std::size_t>(m_index));
}

void TListColumn::setCaption(const QString& c) {
    m_view->m_captions.at(static_cast<std::size_t>(m_index)) = c;
    emit m_view->m_model->headerDataChanged(Qt::Horizontal, m_index, m_index);
    m_view->touch();
}

int TListColumn::Width() const {
    return m_view->columnWidth(m_index);
}

void TListColumn::setWidth(int w) {
    m_view->setColumnWidth(m_index, qMax(0, w));
}

TAlignment TListColumn::Alignment() const {
    return m_view->m_alignments.at(static_cast<std::size_t>(m_index));
}

void TListColumn::setAlignment(TAlignment a) {
    m_view->m_alignments.at(static_cast<std::size_t>(m_index)) = a;
    m_view->viewport()->update();
    m_view->touch();
}

TListColumns::TListColumns(TListView* view)
    : TCollection(view)
    , m_view(view) {}

QObject* TListColumns::Items(int index) const {
    return column(index);
}

TListColumn* TListColumns::column(int index) const {
    return index >= 0 && index < Count() ? m_columns[static_cast<std::size_t>(index)] : nullptr;
}

TListColumn* TListColumns::Add() {
    const int index = Count();
    m_view->flushAppends();
    m_view->m_captions.emplace_back();
    m_view->m_alignments.push_back(TAlignmentEnum::taLeftJustify);
    auto* column = new TListColumn(m_view, index);
    m_columns.push_back(column);
    m_view->m_model->columnsChanged();
    m_view->setColumnWidth(index, 50);
    m_view->touch();
    return column;
}

void TListColumns::RemoveLast() {
    if (m_columns.empty()) return;
    m_view->flushAppends();
    delete m_columns.back();
    m_columns.pop_back();
    m_view->m_captions.pop_back();
    m_view->m_alignments.pop_back();
    m_view->m_model->columnsChanged();
    m_view->touch();
}

TListView::TListView(QWidget* parent)
    : QTableView(parent)
    , m_columns(new TListColumns(this))
    , m_model(new Model(this)) {
    setModel(m_model);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    setWordWrap(false);
    // Tab leaves the table for the next control; the arrows move inside it.
    setTabKeyNavigation(false);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& s, const QItemSelection& d) { syncSelection(s, d); });
}

TListView::~TListView() = default;

TListColumn* TListView::AddColumn(const QString& caption, int width) {
    TListColumn* c = m_columns->Add();
    c->setCaption(caption);
    c->setWidth(width);
    return c;
}

void TListView::setRowSelect(bool v) {
    setSelectionBehavior(v ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void TListView::setMultiSelect(bool v) {
    setSelectionMode(v ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

int TListView::addItem(const QString& caption, const QStringList& subItems) {
    QVarLengthArray<QStringView, 8> views;
    for (const QString& s : subItems)
        views.append(s);
    return addItem(QStringView(caption), std::span<const QStringView>(views.data(), views.size()));
}

int TListView::addItem(QStringView caption, std::span<const QStringView> subItems) {
    const bool wasPending = m_shownRows < m_items.count();
    QVarLengthArray<QStringView, 8> cells;
    cells.append(caption);
    cells.append(subItems.data(), static_cast<qsizetype>(subItems.size()));
    m_items.append(std::span<const QStringView>(cells.data(), cells.size()));
    if (!wasPending) QTimer::singleShot(0, this, [this] { flushAppends(); });
    touch();
    return m_items.count() - 1;
}

void TListView::appendSubItem(int index, const QString& text) {
    const qsizetype column = m_items.cellCount(index);
    m_items.setCell(index, column, text);
    if (index < m_shownRows) m_model->cellChanged(index, static_cast<int>(column));
    touch();
}

void TListView::flushAppends() const {
    const int total = m_items.count();
    if (m_shownRows < total) m_model->appendShown(m_shownRows, total - 1);
}

void TListView::clearItems() {
    m_items.clear();
    m_model->resetAll();
    touch();
}

QString TListView::itemCaption(int index) const {
    return m_items.cell(index, 0);
}

void TListView::setItemCaption(int index, const QString& caption) {
    m_items.setCell(index, 0, caption);
    if (index < m_shownRows) m_model->cellChanged(index, 0);
    touch();
}

bool TListView::itemSelected(int index) const {
    return m_items.selected(index);
}

void TListView::setItemSelected(int index, bool selected) {
    if (m_items.selected(index) == selected) return;
    m_items.setSelected(index, selected);
    flushAppends();
    m_syncingSelection = true;
    selectionModel()->select(m_model->index(index, 0), (selected ? QItemSelectionModel::Select
                                                                 : QItemSelectionModel::Deselect) |
                                                           QItemSelectionModel::Rows);
    m_syncingSelection = false;
    touch();
}

void TListView::syncSelection(const QItemSelection& selected, const QItemSelection& deselected) {
    if (m_syncingSelection) return;
    for (const QModelIndex& i : deselected.indexes())
        m_items.setSelected(i.row(), false);
    for (const QModelIndex& i : selected.indexes())
        m_items.setSelected(i.row(), true);
    touch();
}

QString TListView::cellText(int row, int column) const {
    if (row < 0 || row >= itemCount() || column < 0) return {};
    return m_items.cell(row, column);
}

QString TListView::selectedRowsText() const {
    QString text;
    const int columns = m_columns->Count();
    for (int r = 0; r < itemCount(); ++r) {
        if (!itemSelected(r)) continue;
        for (int c = 0; c < columns; ++c) {
            if (c > 0) text += QLatin1Char('\t');
            text += cellText(r, c);
        }
        text += QLatin1Char('\n');
    }
    return text;
}

void TListView::keyPressEvent(QKeyEvent* e) {
    if (e == QKeySequence::Copy) {
        const QString text = selectedRowsText();
        if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
        e->accept();
        return;
    }
    QTableView::keyPressEvent(e);
}

QModelIndex TListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if ((action == MoveHome || action == MoveEnd) && itemCount() > 0) {
        flushAppends();
        const int column = qMax(0, currentIndex().column());
        return m_model->index(action == MoveHome ? 0 : itemCount() - 1, column);
    }
    return QTableView::moveCursor(action, modifiers);
}

void TListView::touch() {
    ++m_revision;
    emit contentsChanged();
}

} // namespace twl
