// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/kxListViewExport.h"

#include "base/BaseConsts.h"
#include "base/Exceptions.h"
#include "base/Format.h"
#include "export/kxExportConst.h"
#include "export/kxExportDialogs.h"
#include "export/kxExportHost.h"
#include "export/kxExportTypeTable.h"

namespace twl {

TkxListViewExport::TkxListViewExport(QObject* owner)
    : TkxCustomExport(owner) {
    m_listView = nullptr;
    Messages()->Caption = LoadResString(rs::SkxListViewCaption);
    kxGiveWindows(*this);
}

TkxListViewExport::~TkxListViewExport() {
    m_listView = nullptr;
}

TListView* TkxListViewExport::ListView() const {
    return m_listView.data();
}

void TkxListViewExport::setListView(TListView* v) {
    m_listView = v;
    m_widthCache.clear();
}

void TkxListViewExport::GotoFirstRow() {
    setRowIndex(0);
}

bool TkxListViewExport::IsSourceReady() {
    return !m_listView.isNull();
}

bool TkxListViewExport::IsEndOfRows() {
    // "At or past": rows removed during a run end it instead of reading past the end.
    return !m_listView || RowIndex() >= static_cast<std::uint32_t>(m_listView->itemCount());
}

bool TkxListViewExport::IsColumnVisible(int) {
    return true;
}

bool TkxListViewExport::IsRowSelected(int Index) {
    if (!m_listView || Index < 0 || Index >= m_listView->itemCount())
        throw EListError(Format(LoadResString(rs::SListIndexError), {Index}));
    return m_listView->item(Index).selected;
}

QString TkxListViewExport::cell(int row, int column) const {
    if (row < 0 || row >= m_listView->itemCount())
        throw EListError(Format(LoadResString(rs::SListIndexError), {row}));
    const TListItemData& item = m_listView->item(row);
    if (column == 0) return item.caption();
    if (column - 1 >= item.subItemCount())
        throw EListError(Format(LoadResString(rs::SListIndexError), {column - 1}));
    return item.subItem(column - 1);
}

void TkxListViewExport::dropCacheIfStale() {
    if (m_cacheRevision != m_listView->revision()) {
        m_widthCache.clear();
        m_cacheRevision = m_listView->revision();
    }
}

int TkxListViewExport::GetColumnDataWidth(int Index) {
    if (!m_listView || Index < 0 || Index >= GetColumnCount()) return 0;
    // The writers ask at every cell; a scan per call would make an export
    // quadratic in the number of rows.
    dropCacheIfStale();
    if (m_widthCache.size() != static_cast<std::size_t>(GetColumnCount()))
        m_widthCache.assign(static_cast<std::size_t>(GetColumnCount()), -1);
    int& cached = m_widthCache[static_cast<std::size_t>(Index)];
    if (cached < 0) {
        qsizetype width = 0;
        const int count = m_listView->itemCount();
        for (int row = 0; row < count; ++row)
            width = qMax(width, cell(row, Index).size());
        cached = static_cast<int>(width);
    }
    return cached;
}

void TkxListViewExport::GetColumnCaption(int Index, QString& Caption) {
    Caption.clear();
    if (m_listView && Index >= 0 && Index < GetColumnCount())
        Caption = m_listView->Columns()->column(Index)->Caption();
}

int TkxListViewExport::GetColumnCount() {
    return m_listView ? m_listView->Columns()->Count() : 0;
}

void TkxListViewExport::GetRowValues(TkxValues& Values) {
    const int count = GetColumnCount();
    Values.resize(static_cast<std::size_t>(count));
    const int row = static_cast<int>(RowIndex());
    for (int i = 0; i < count; ++i)
        Values[static_cast<std::size_t>(i)] = TVariant(cell(row, i));
}

int TkxListViewExport::GetRowCount() {
    GotoFirstRow();
    return m_listView ? m_listView->itemCount() : 0;
}

void kxApplyMainWindowSettings(TkxListViewExport& Export, TListView* ListView) {
    kxApplyMainWindowFormats(Export);
    Export.setExportTypes(kxWindowExportTypes);
    Export.setListView(ListView);
}

} // namespace twl
