// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The export component over a table held in memory: column captions and rows
// of texts. A host without a window (the command-line export) fills it and
// writes documents exactly as the list-view component would for the same table.

#include "export/kxExport.h"

#include <QStringList>
#include <QStringView>
#include <vector>

namespace twl {

class TkxTableExport : public TkxCustomExport {
    Q_OBJECT

public:
    explicit TkxTableExport(QObject* owner = nullptr);
    ~TkxTableExport() override;

    void setCaptions(const QStringList& captions);
    // A row of cell texts; a row shorter than the captions reads its missing
    // cells as empty texts.
    void addRow(const QStringList& cells);
    // The same row given as its first cell and the rest, as a schedule hands
    // it on, without building one list of both.
    void addRow(const QString& caption, const QStringList& cells);
    void clearRows();
    int rowCount() const { return static_cast<int>(m_rowEnds.size()); }

    void GotoFirstRow() override;
    bool IsSourceReady() override { return true; }
    bool IsEndOfRows() override;
    bool IsColumnVisible(int) override { return true; }
    // A table handed over whole has no selection.
    bool IsRowSelected(int) override { return false; }
    // The longest text of the column, computed once per change of the table.
    int GetColumnDataWidth(int Index) override;
    void GetColumnCaption(int Index, QString& Caption) override;
    int GetColumnCount() override;
    void GetRowValues(TkxValues& Values) override;
    int GetRowCount() override;

private:
    QStringView cell(std::size_t row, int column) const;
    void appendCell(const QString& text);
    void endRow();

    QStringList m_captions;
    // Every cell's text end to end in one text, with where each cell and each
    // row ends: a table of 100,000 rows costs about its text, not an object
    // per cell.
    QString m_text;
    std::vector<qsizetype> m_cellEnds;  // end of each cell in m_text
    std::vector<std::size_t> m_rowEnds; // end of each row in m_cellEnds
    std::vector<int> m_widths;          // -1: not known
};

} // namespace twl
