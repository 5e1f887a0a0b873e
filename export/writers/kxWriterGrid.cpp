// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxWriterGrid.h"

#include "base/PowersOfTen.h"
#include "base/RegionalSettings.h"
#include "export/kxExport.h"
#include "export/writers/kxWriterGridDates.h"
#include "toolkit/ApplicationTitle.h"

#include <charconv>
#include <cstdint>
#include <string>

namespace twl {

bool kxParseGridNumber(const QString& Text, QChar Separator, double& Value, int& Decimals,
                       bool* Scientific) {
    const qsizetype size = Text.size();
    if (size == 0 || size > 64) return false;
    qsizetype i = 0;
    const bool negative = Text.at(0) == QLatin1Char('-');
    if (negative) ++i;
    int before = 0;
    int after = -1;
    int exponent = -1; // digits of the exponent, once "E" is read
    // The digits as one integer while 64 bits hold them.
    std::uint64_t mantissa = 0;
    bool exact = true;
    for (; i < size; ++i) {
        const QChar c = Text.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            if (exponent >= 0) {
                ++exponent;
                continue;
            }
            if (after < 0)
                ++before;
            else
                ++after;
            if (mantissa >= PowersOfTen[18]) exact = false;
            mantissa = mantissa * 10 + (c.unicode() - u'0');
        } else if ((c == Separator || c == QLatin1Char('.')) && after < 0 && exponent < 0) {
            after = 0;
        } else if (c == QLatin1Char('E') && exponent < 0 && before > 0 && after != 0) {
            exponent = 0;
            if (i + 1 < size &&
                (Text.at(i + 1) == QLatin1Char('-') || Text.at(i + 1) == QLatin1Char('+')))
                ++i;
        } else {
            return false;
        }
    }
    // "1." or ".5" is not how the table writes a number, nor is "1E".
    if (before == 0 || after == 0 || exponent == 0) return false;
    const int decimals = after < 0 ? 0 : after;
    double value = 0;
    if (!exact || exponent >= 0 || !exactDecimalValue(mantissa, decimals, negative, value)) {
        // The same text as C: "." for the separator, "e" for the exponent.
        std::string ascii;
        ascii.reserve(static_cast<std::size_t>(size));
        for (qsizetype k = 0; k < size; ++k) {
            const QChar c = Text.at(k);
            ascii += c == Separator ? '.' : c == QLatin1Char('E') ? 'e' : char(c.unicode());
        }
        const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
        if (error != std::errc() || end != ascii.data() + ascii.size()) return false;
    }
    Value = value;
    Decimals = decimals;
    if (Scientific) *Scientific = exponent > 0;
    return true;
}

void TkxGridWriter::Prolog() {
    m_separator = regionalSettings().decimalSeparator;
    m_dateParts = kxDateParts(regionalSettings().shortDateFormat);
    m_row.clear();
    m_columnChars.clear();
    BeginDocument(DocumentTitle());
}

void TkxGridWriter::HeaderText(const QStringList& Lines) {
    for (const QString& line : Lines)
        TextLine(line);
    if (!Lines.isEmpty()) BlankLine();
}

QString TkxGridWriter::CaptionRowNumberCell() {
    addCell(QString(), false, true);
    return {};
}

void TkxGridWriter::RowStart(bool IsHeader) {
    (void)IsHeader;
}

void TkxGridWriter::RowEnd(bool IsHeader) {
    constexpr qsizetype MaxColumnChars = 60;
    // Dates are cells of the table's own rows (those that start with a
    // number); a date in a summary row stays the text it is.
    if (!IsHeader && !m_dateParts.empty() && !m_row.empty() && m_row.front().IsNumber) {
        for (std::size_t i = 1; i < m_row.size(); ++i) {
            TkxGridCell& cell = m_row[i];
            if (!cell.IsNumber && !cell.Text.isEmpty())
                cell.IsDate = kxParseGridDate(cell.Text, m_dateParts, cell.Date);
        }
    }
    if (m_columnChars.size() < m_row.size()) m_columnChars.resize(m_row.size(), 0);
    for (std::size_t i = 0; i < m_row.size(); ++i) {
        const int chars = static_cast<int>(qMin(m_row[i].Text.size(), MaxColumnChars));
        m_columnChars[i] = qMax(m_columnChars[i], chars);
    }
    TableRow(m_row, IsHeader);
    m_row.clear();
}

void TkxGridWriter::Footer(const QStringList& Lines) {
    if (!Lines.isEmpty()) BlankLine();
    for (const QString& line : Lines)
        TextLine(line);
    if (Frame().HasOption(xoShowExportDate)) TextLine(Frame().DateLine());
}

TkxDocument TkxGridWriter::Finish() {
    TkxDocument document;
    document.Bytes = EndDocument();
    return document;
}

QString TkxGridWriter::Cell(int Index, const TVariant& Value, int Width, bool IsHeader) {
    const TkxExcelAlignment alignment = Frame().CellAlignment(Index);
    addCell(Frame().CellText(Value, Width), alignment == eaRight, IsHeader);
    return {};
}

QString TkxGridWriter::RowNumberCell(const QString& N, int L) {
    (void)L;
    addCell(N, true, false);
    return {};
}

void TkxGridWriter::addCell(const QString& Text, bool AlignRight, bool IsHeader) {
    TkxGridCell cell;
    cell.Text = Text;
    if (!IsHeader)
        cell.IsNumber =
            kxParseGridNumber(Text, m_separator, cell.Value, cell.Decimals, &cell.Scientific);
    // Numbers read from the right, as the table shows its amounts.
    cell.AlignRight = AlignRight || cell.IsNumber;
    m_row.push_back(std::move(cell));
}

QString TkxGridWriter::DocumentTitle() const {
    const QString title = Frame().Export().HTML()->Title();
    return title.isEmpty() ? applicationTitle() : title;
}

const TkxExcelOptions& TkxGridWriter::ExcelOptions() const {
    return *Frame().Export().EXCEL();
}

} // namespace twl
