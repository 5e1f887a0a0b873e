// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The PDF report: the pages of TkxReportPages written as a PDF file, or, with
// the print style, handed to the run to print.

#include "export/writers/kxReportPages.h"
#include "export/writers/kxWriterGrid.h"

#include <memory>

namespace twl {

class TkxPDFWriter : public TkxGridWriter {
public:
    void BeginDocument(const QString& Title) override;
    void TextLine(const QString& Line) override;
    void BlankLine() override {}
    void TableRow(const std::vector<TkxGridCell>& Cells, bool IsHeader) override;
    QByteArray EndDocument() override;
    void Footer(const QStringList& Lines) override;
    TkxDocument Finish() override;

    // The pages as a PDF file.
    static QByteArray PdfBytes(const TkxPagedDocument& Pages);

private:
    std::shared_ptr<TkxReportPages> m_pages;
    bool m_inFooter = false;
};

} // namespace twl
