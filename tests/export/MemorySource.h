// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An export source over rows held in memory, with per-column alignment and
// visibility and per-row selection, for tests of the run and the writers.

#include "export/kxExport.h"
#include "export/kxExportDialogs.h"

#include <QStringList>
#include <vector>

namespace twl::test {

class MemorySource : public TkxCustomExport {
public:
    QStringList captions;
    std::vector<TkxValues> rows;
    std::vector<TkxExcelAlignment> alignments; // eaGeneral where missing
    std::vector<bool> hidden;                  // visible where missing
    std::vector<bool> selected;                // not selected where missing
    bool ready = true;

    // As the window's export: with a progress window and a format dialog.
    MemorySource() { kxGiveWindows(*this); }

    void GotoFirstRow() override { setRowIndex(0); }
    TkxExcelAlignment GetColumnAlignment(int Index) override {
        return Index < static_cast<int>(alignments.size())
                   ? alignments[static_cast<std::size_t>(Index)]
                   : eaGeneral;
    }
    bool IsSourceReady() override { return ready; }
    bool IsEndOfRows() override { return RowIndex() >= rows.size(); }
    bool IsColumnVisible(int Index) override {
        return !(Index < static_cast<int>(hidden.size()) &&
                 hidden[static_cast<std::size_t>(Index)]);
    }
    bool IsRowSelected(int Index) override {
        return Index < static_cast<int>(selected.size()) &&
               selected[static_cast<std::size_t>(Index)];
    }
    int GetColumnDataWidth(int Index) override {
        qsizetype width = 0;
        for (const TkxValues& row : rows) {
            if (Index < static_cast<int>(row.size()))
                width = qMax(width, row[static_cast<std::size_t>(Index)].toString().size());
        }
        return static_cast<int>(width);
    }
    void GetColumnCaption(int Index, QString& Caption) override { Caption = captions.value(Index); }
    int GetColumnCount() override { return static_cast<int>(captions.size()); }
    void GetRowValues(TkxValues& Values) override { Values = rows.at(RowIndex()); }
    int GetRowCount() override {
        GotoFirstRow();
        return static_cast<int>(rows.size());
    }

    // Rows of texts.
    void setTextRows(std::initializer_list<QStringList> textRows) {
        rows.clear();
        for (const QStringList& r : textRows) {
            TkxValues values;
            for (const QString& s : r)
                values.emplace_back(s);
            rows.push_back(values);
        }
    }
};

} // namespace twl::test
