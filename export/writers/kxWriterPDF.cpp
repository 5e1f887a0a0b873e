// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxWriterPDF.h"

#include "base/RegionalSettings.h"
#include "export/kxExport.h"
#include "export/kxReportPage.h"
#include "toolkit/ApplicationTitle.h"

#include <QBuffer>
#include <QHashSeed>
#include <QPdfWriter>

namespace twl {

namespace {

// The PDF writer dates its document by the system clock, to the second. The
// program's current time takes its place, so that a report made under
// SOURCE_DATE_EPOCH (or in a test) is the same every time. The date keeps its
// length, so the file's cross-reference offsets stay true.
void stampCreationDate(QByteArray& pdf) {
    static constexpr QLatin1StringView key("/CreationDate (D:");
    constexpr qsizetype digits = 14; // yyyyMMddhhmmss, then Z for UTC
    const qsizetype at = pdf.indexOf(QByteArrayView(key.data(), key.size()));
    if (at < 0) return;
    const qsizetype start = at + key.size();
    if (start + digits >= pdf.size() || pdf.at(start + digits) != 'Z') return;
    const QByteArray now =
        currentDateTime().toUTC().toString(QStringLiteral("yyyyMMddhhmmss")).toLatin1();
    if (now.size() == digits) pdf.replace(start, digits, now);
}

// The PDF writer embeds its faces in the order of a hash table, which the
// process's random seed shuffles: while a report is made, the seed is fixed,
// so the same report is the same file in every run.
struct FixedHashOrder {
    FixedHashOrder() { QHashSeed::setDeterministicGlobalSeed(); }
    ~FixedHashOrder() { QHashSeed::resetRandomGlobalSeed(); }
    FixedHashOrder(const FixedHashOrder&) = delete;
    FixedHashOrder& operator=(const FixedHashOrder&) = delete;
};

} // namespace

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
        const FixedHashOrder fixedOrder;
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        writer.setTitle(Pages.Title());
        writer.setCreator(applicationTitle());
        kxSetUpReportPage(writer);
        Pages.Paint(writer);
    }
    QByteArray pdf = std::move(buffer.buffer());
    stampCreationDate(pdf);
    return pdf;
}

} // namespace twl
