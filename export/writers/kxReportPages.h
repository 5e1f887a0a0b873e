// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pages of a printed report of a table: the title, the header text and
// the table's summary rows (the trailing rows without a number, such as the
// totals and the inputs) at the top of the first page, then the table with
// its caption row repeated on every page, amounts right-aligned, the footer
// text after the last row and "Page n of m" at the foot of every page.
//
// No figure is ever cut: the columns are as wide as their widest text in the
// report's own font, the summary rows and the text lines wrap, and a table
// too wide for the page is set smaller, then on landscape pages, then with
// its columns split over several pages (the first column repeated on each).
//
// The rows are spooled to a temporary file as they arrive, so a table of any
// length costs the same memory; every Paint reads them back from there.

#include "export/kxExportWriter.h"
#include "export/writers/kxReportSpool.h"
#include "export/writers/kxWriterGrid.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>

#include <memory>
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

    // Draws every cell through the painter's own text layout rather than as
    // glyph runs: slower, and the pages the runs must look like.
    void SetReferenceText(bool On) { m_referenceText = On; }

    struct Layout;

private:
    // The widest text of a column, in ems of the report's font.
    struct ColumnWidth {
        double Ems = 0;
        QString Widest;
        bool Bold = false;
        // Ems of the texts measured so far, by their shape (digits as 0).
        QHash<QString, double> Shapes;
    };

    Layout layout(const QPagedPaintDevice& Device, bool SplitColumns) const;
    void spool(const std::vector<TkxGridCell>& Cells);
    void measure(const std::vector<TkxGridCell>& Cells, bool Bold);
    QString pageText(int Page, int Pages) const;

    QString m_title;
    QString m_pageNumbers;
    std::vector<QString> m_topLines;
    std::vector<TkxGridCell> m_captions;
    // Rows without a number waiting to learn whether more numbered rows follow.
    std::vector<std::vector<TkxGridCell>> m_pending;
    std::vector<std::vector<TkxGridCell>> m_summary;
    std::vector<QString> m_footerLines;
    std::vector<ColumnWidth> m_columns;
    // Columns whose data stand right-aligned; their captions follow.
    std::vector<bool> m_columnRight;
    // The report's fonts at a large size, where text measures in ems.
    QFontMetricsF m_ems, m_boldEms;
    // Whether every digit is as wide as 0, so that texts measure by shape.
    bool m_tabularDigits = true;
    bool m_seenNumbered = false;
    bool m_referenceText = false;
    std::unique_ptr<TkxRowSpool> m_spool;
};

} // namespace twl
