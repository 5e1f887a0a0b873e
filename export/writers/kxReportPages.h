// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pages of a printed report of a table: the title, the header text and
// the table's summary rows (the trailing rows without a number, such as the
// totals and the inputs) at the top of the first page, then the table with
// its caption row repeated on every page, amounts right-aligned, the footer
// text after the last row and "Page n of m" at the foot of every page.
//
// The rows are spooled to a temporary file as they arrive, so a table of any
// length costs the same memory; every Paint reads them back from there.

#include "export/kxExportWriter.h"
#include "export/writers/kxWriterGrid.h"

#include <QTemporaryFile>
#include <vector>

class QPainter;

namespace twl {

class TkxReportPages : public TkxPagedDocument {
public:
    TkxReportPages(QString Title, QString PageNumbers);

    // --- Filling, in the order of the document ---
    void AddTopLine(const QString& Line);
    void SetCaptions(const std::vector<TkxGridCell>& Cells);
    void AddRow(const std::vector<TkxGridCell>& Cells);
    void AddFooterLine(const QString& Line);
    // After the last line: the rows still held become the summary.
    void Finish();

    // --- TkxPagedDocument ---
    void Paint(QPagedPaintDevice& Device) const override;
    QString Title() const override { return m_title; }

private:
    struct Layout;
    Layout layout(QPainter& Painter, const QPagedPaintDevice& Device) const;
    void spool(const std::vector<TkxGridCell>& Cells);
    void measure(const std::vector<TkxGridCell>& Cells, bool IsData);
    QString pageText(int Page, int Pages) const;

    QString m_title;
    QString m_pageNumbers;
    std::vector<QString> m_topLines;
    std::vector<TkxGridCell> m_captions;
    // Rows without a number waiting to learn whether more numbered rows follow.
    std::vector<std::vector<TkxGridCell>> m_pending;
    std::vector<std::vector<TkxGridCell>> m_summary;
    std::vector<QString> m_footerLines;
    std::vector<int> m_columnChars;
    // Columns whose data stand right-aligned; their captions follow.
    std::vector<bool> m_columnRight;
    bool m_seenNumbered = false;
    qint64 m_rowCount = 0;
    std::unique_ptr<QTemporaryFile> m_spool;
};

} // namespace twl
