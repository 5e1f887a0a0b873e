// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The export of a list view: the main window's table as the data source. It
// gets the windows of a run (progress, format dialog) as it is made.

#include "export/kxExport.h"
#include "toolkit/ListView.h"

#include <QPointer>
#include <vector>

namespace twl {

class TkxListViewExport : public TkxCustomExport {
    Q_OBJECT
    Q_PROPERTY(twl::TListView* ListView READ ListView WRITE setListView)

public:
    explicit TkxListViewExport(QObject* owner = nullptr);
    ~TkxListViewExport() override;

    // Not owned; becomes empty when the list view is destroyed.
    TListView* ListView() const;
    void setListView(TListView* v);

    void GotoFirstRow() override;
    bool IsSourceReady() override;
    bool IsEndOfRows() override;
    bool IsColumnVisible(int Index) override;
    bool IsRowSelected(int Index) override;
    // The longest text of the column; cached per column until the list view changes.
    int GetColumnDataWidth(int Index) override;
    void GetColumnCaption(int Index, QString& Caption) override;
    int GetColumnCount() override;
    void GetRowValues(TkxValues& Values) override;
    int GetRowCount() override;

private:
    // Text of cell (row, column); a missing sub-item is the string list's index error.
    QString cell(int row, int column) const;
    void dropCacheIfStale();

    QPointer<TListView> m_listView;
    std::vector<int> m_widthCache; // -1: not known
    quint64 m_cacheRevision = 0;
    const TListView* m_cacheView = nullptr;
};

// The values the main window stores for its export component: the formats of
// kxApplyMainWindowFormats, every document type in the format list, and the
// list view. Every other property keeps its default.
void kxApplyMainWindowSettings(TkxListViewExport& Export, TListView* ListView);

} // namespace twl
