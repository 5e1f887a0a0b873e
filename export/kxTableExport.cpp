// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/kxTableExport.h"

#include <algorithm>

namespace twl {

TkxTableExport::TkxTableExport(QObject* owner)
    : TkxCustomExport(owner) {}

TkxTableExport::~TkxTableExport() = default;

void TkxTableExport::setCaptions(const QStringList& captions) {
    m_captions = captions;
    m_widths.assign(static_cast<std::size_t>(captions.size()), -1);
}

void TkxTableExport::addRow(const QStringList& cells) {
    for (const QString& c : cells)
        appendCell(c);
    endRow();
}

void TkxTableExport::addRow(const QString& caption, const QStringList& cells) {
    appendCell(caption);
    for (const QString& c : cells)
        appendCell(c);
    endRow();
}

void TkxTableExport::appendCell(const QString& text) {
    m_text += text;
    m_cellEnds.push_back(m_text.size());
}

void TkxTableExport::endRow() {
    m_rowEnds.push_back(m_cellEnds.size());
    std::fill(m_widths.begin(), m_widths.end(), -1);
}

void TkxTableExport::clearRows() {
    m_text.clear();
    m_cellEnds.clear();
    m_rowEnds.clear();
    std::fill(m_widths.begin(), m_widths.end(), -1);
}

QStringView TkxTableExport::cell(std::size_t row, int column) const {
    const std::size_t first = row == 0 ? 0 : m_rowEnds[row - 1];
    const std::size_t index = first + static_cast<std::size_t>(column);
    if (index >= m_rowEnds[row]) return {};
    const qsizetype begin = index == 0 ? 0 : m_cellEnds[index - 1];
    return QStringView(m_text).mid(begin, m_cellEnds[index] - begin);
}

void TkxTableExport::GotoFirstRow() {
    setRowIndex(0);
}

bool TkxTableExport::IsEndOfRows() {
    return RowIndex() >= m_rowEnds.size();
}

int TkxTableExport::GetColumnDataWidth(int Index) {
    if (Index < 0 || Index >= GetColumnCount()) return 0;
    int& width = m_widths[static_cast<std::size_t>(Index)];
    if (width < 0) {
        width = 0;
        for (std::size_t r = 0; r < m_rowEnds.size(); ++r)
            width = std::max(width, static_cast<int>(cell(r, Index).size()));
    }
    return width;
}

void TkxTableExport::GetColumnCaption(int Index, QString& Caption) {
    Caption = Index >= 0 && Index < GetColumnCount() ? m_captions.at(Index) : QString();
}

int TkxTableExport::GetColumnCount() {
    return static_cast<int>(m_captions.size());
}

void TkxTableExport::GetRowValues(TkxValues& Values) {
    const int columns = GetColumnCount();
    Values.resize(static_cast<std::size_t>(columns));
    const std::size_t row = RowIndex();
    for (int c = 0; c < columns; ++c)
        Values[static_cast<std::size_t>(c)] =
            TVariant(row < m_rowEnds.size() ? cell(row, c).toString() : QString());
}

int TkxTableExport::GetRowCount() {
    GotoFirstRow();
    return rowCount();
}

} // namespace twl
