#include "export/writers/kxWriterPDF.h"

#include "export/kxExport.h"
#include "export/kxReportPage.h"
#include "toolkit/ApplicationTitle.h"

#include <QBuffer>
#include <QPdfWriter>

namespace twl {

void TkxPDFWriter::BeginDocument(const QString& Title) {
    m_pages = std::make_shared<TkxReportPages>(Title, Frame().Export().Messages()->PageNumbers);
    m_inFooter = false;
}

void TkxPDFWriter::TextLine(const QString& Line) {
    if (m_inFooter)
        m_pages->AddFooterLine(Line);
    else
        m_pages->AddTopLine(Line);
}

void TkxPDFWriter::TableRow(const std::vector<TkxGridCell>& Cells, bool IsHeader) {
    if (IsHeader)
        m_pages->SetCaptions(Cells);
    else
        m_pages->AddRow(Cells);
}

void TkxPDFWriter::Footer(const QStringList& Lines) {
    m_inFooter = true;
    TkxGridWriter::Footer(Lines);
}

QByteArray TkxPDFWriter::EndDocument() {
    m_pages->Finish();
    return PdfBytes(*m_pages);
}

TkxDocument TkxPDFWriter::Finish() {
    if (!Frame().Export().IsPrinting()) return TkxGridWriter::Finish();
    m_pages->Finish();
    TkxDocument document;
    document.Pages = m_pages;
    return document;
}

QByteArray TkxPDFWriter::PdfBytes(const TkxPagedDocument& Pages) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        writer.setTitle(Pages.Title());
        writer.setCreator(applicationTitle());
        kxSetUpReportPage(writer);
        Pages.Paint(writer);
    }
    return buffer.data();
}

} // namespace twl
