// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxWriterODS.h"

#include "export/writers/kxODSPackage.h"
#include "export/writers/kxPackedPart.h"
#include "export/writers/kxTextRoom.h"

#include "base/Exceptions.h"
#include "base/FileSaveTemporary.h"
#include "base/RegionalSettings.h"
#include "base/XmlText.h"
#include "export/writers/kxWriterConst.h"
#include "export/writers/kxWriterGridDates.h"
#include "export/writers/kxWriterUtils.h"

#include <charconv>

namespace twl {

namespace {

// content.xml's deflate level, in CPU time and packed size: 100,000 months
// at 1 % (68 MB of XML) take 0.12 s for 1.11 MB at level 1, 0.12 s for
// 1.00 MB at level 3 and 0.43 s for 0.84 MB at level 6; 71,332 months at
// 12 % (48.6 MB) 0.10 s for 0.71 MB at level 1, 0.11 s for 0.69 MB at level
// 2 and 0.32 s for 0.60 MB at level 6.
constexpr int ContentLevel = 1;

constexpr char Namespaces[] =
    " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
    " xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\""
    " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\""
    " xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
    " xmlns:number=\"urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0\""
    " xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\""
    " xmlns:meta=\"urn:oasis:names:tc:opendocument:xmlns:meta:1.0\""
    " xmlns:dc=\"http://purl.org/dc/elements/1.1/\""
    " office:version=\"1.2\"";

// Whether the text is printable ASCII without markup: its own bytes in XML,
// as a cell's text nearly always is.
bool isPlain(const QString& text) {
    static constexpr AsciiSet Markup(u"&<>\"");
    return IsPrintableAscii(text) && !Markup.foundIn(text);
}

// Text as XML character data; line ends and characters XML cannot carry
// become blanks. Plain text is copied without a conversion.
void appendEscaped(QByteArray& out, const QString& text) {
    if (isPlain(text)) {
        const qsizetype at = out.size();
        out.resize(at + text.size());
        PutAscii(out.data() + at, text);
        return;
    }
    appendXmlEscaped(out, text, true);
}

// yyyy-MM-dd, for a year of four digits, at Out; returns the end.
char* putIsoDate(char* Out, const QDate& Date) {
    const int parts[] = {Date.year(), Date.month(), Date.day()};
    for (int i = 0; i < 3; ++i) {
        const int width = i == 0 ? 4 : 2;
        for (int d = width - 1, v = parts[i]; d >= 0; --d, v /= 10)
            Out[d] = char('0' + v % 10);
        Out += width;
        if (i < 2) *Out++ = '-';
    }
    return Out;
}

void appendNumber(QByteArray& out, double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr - buffer);
}

void appendInt(QByteArray& out, long long value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr - buffer);
}

// One view setting of the sheet.
void appendSetting(QByteArray& xml, const char* Name, const char* Type, long long Value) {
    xml += "<config:config-item config:name=\"";
    xml += Name;
    xml += "\" config:type=\"";
    xml += Type;
    xml += "\">";
    appendInt(xml, Value);
    xml += "</config:config-item>\n";
}

// The date style that shows a date as the regional pattern does.
void appendDateStyle(QByteArray& xml, const std::vector<TkxDatePart>& Parts) {
    // The names are English, as the table writes them, whatever the reader's language.
    xml += "<number:date-style style:name=\"D0\" number:language=\"en\" number:country=\"US\">";
    for (const TkxDatePart& part : Parts) {
        const bool isLong = part.width == 2 || part.width == 4;
        const char* style = isLong ? " number:style=\"long\"" : "";
        switch (part.kind) {
        case TkxDatePart::Day:
            xml += QByteArray("<number:day") + style + "/>";
            break;
        case TkxDatePart::DayName:
            xml += QByteArray("<number:day-of-week") + style + "/>";
            break;
        case TkxDatePart::Month:
            xml += QByteArray("<number:month") + style + "/>";
            break;
        case TkxDatePart::MonthName:
            xml += QByteArray("<number:month number:textual=\"true\"") + style + "/>";
            break;
        case TkxDatePart::Year:
            xml += "<number:year number:style=\"long\"/>";
            break;
        case TkxDatePart::Text:
            xml += "<number:text>";
            appendEscaped(xml, part.text);
            xml += "</number:text>";
            break;
        }
    }
    xml += "</number:date-style>\n";
}

} // namespace

TkxODSWriter::TkxODSWriter() = default;
TkxODSWriter::~TkxODSWriter() = default;

void TkxODSWriter::BeginDocument(const QString& Title) {
    m_title = Title;
    m_rows.clear();
    // The rows wait in a file, packed, so a long table costs no more memory
    // than a short one and about the document's size in the temporary folder.
    m_content = std::make_unique<TkxPackedPart>(ContentLevel);
    m_decimals.clear();
    m_scientific.clear();
    m_lastStyle = NoStyle;
    m_hasDates = false;
    m_rowCount = 0;
    m_frozenRows = 0;
}

void TkxODSWriter::TextLine(const QString& Line) {
    countRow();
    m_rows += "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>";
    appendEscaped(m_rows, Line);
    m_rows += "</text:p></table:table-cell></table:table-row>\n";
    spoolRows(false);
}

void TkxODSWriter::BlankLine() {
    countRow();
    m_rows += "<table:table-row><table:table-cell/></table:table-row>\n";
}

void TkxODSWriter::TableRow(const std::vector<TkxGridCell>& Cells, bool IsHeader) {
    // The caption row stays in view while the table scrolls.
    if (IsHeader) m_frozenRows = m_rowCount + 1;
    countRow();
    // The row's room at most: its tags, and per cell the longest tags with
    // a number or date, and its text.
    qsizetype most = 40;
    m_escaped.resize(Cells.size());
    for (std::size_t i = 0; i < Cells.size(); ++i) {
        const QString& text = Cells[i].Text;
        m_escaped[i].clear();
        if (!isPlain(text)) appendXmlEscaped(m_escaped[i], text, true);
        most += 200 + (m_escaped[i].isNull() ? text.size() : m_escaped[i].size());
    }
    {
        TkxTextRoom room(m_rows, most);
        room.put("<table:table-row>");
        for (std::size_t i = 0; i < Cells.size(); ++i) {
            const TkxGridCell& cell = Cells[i];
            if (cell.IsNumber) {
                noteNumberStyle(cell.Scientific, cell.Decimals);
                if (cell.Scientific)
                    room.put("<table:table-cell table:style-name=\"cs");
                else
                    room.put("<table:table-cell table:style-name=\"ce");
                room.integer(cell.Decimals);
                room.put("\" office:value-type=\"float\" office:value=\"");
                room.shortest(cell.Value);
                room.put("\">");
            } else if (cell.IsDate && cell.Date.year() >= 1 && cell.Date.year() <= 9999) {
                m_hasDates = true;
                room.put("<table:table-cell table:style-name=\"da\" office:value-type=\"date\" "
                         "office:date-value=\"");
                room.at() = putIsoDate(room.at(), cell.Date);
                room.put("\">");
            } else if (cell.Text.isEmpty()) {
                room.put("<table:table-cell/>");
                continue;
            } else if (IsHeader) {
                room.put("<table:table-cell table:style-name=\"hd\" office:value-type=\"string\">");
            } else {
                room.put("<table:table-cell office:value-type=\"string\">");
            }
            room.put("<text:p>");
            if (m_escaped[i].isNull())
                room.ascii(cell.Text);
            else
                room.put(m_escaped[i]);
            room.put("</text:p></table:table-cell>");
        }
        room.put("</table:table-row>\n");
    }
    spoolRows(false);
}

void TkxODSWriter::noteNumberStyle(bool Scientific, int Decimals) {
    // A table's numbers nearly all share one style: the set is asked once for it.
    const int key = Scientific ? -1 - Decimals : Decimals;
    if (key == m_lastStyle) return;
    m_lastStyle = key;
    (Scientific ? m_scientific : m_decimals).insert(Decimals);
}

void TkxODSWriter::countRow() {
    // The spreadsheets that read this format keep this many rows and drop
    // the rest without a word: a longer table is refused whole instead.
    constexpr int MaxSheetRows = 1048576;
    if (++m_rowCount > MaxSheetRows) throw Exception(kxSheetFullMessage(MaxSheetRows, xtCSV));
}

void TkxODSWriter::spoolRows(bool All) {
    constexpr qsizetype Chunk = 1 << 20;
    if (m_rows.isEmpty() || (!All && m_rows.size() < Chunk)) return;
    m_content->write(m_rows);
    // Kept at its size: the next rows fill the same room.
    m_rows.resize(0);
}

QByteArray TkxODSWriter::contentStart() const {
    const std::vector<int>& widths = ColumnChars();
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-content";
    xml += Namespaces;
    xml += ">\n<office:automatic-styles>\n";
    for (std::size_t i = 0; i < widths.size(); ++i) {
        xml += "<style:style style:name=\"co";
        appendInt(xml, static_cast<long long>(i));
        xml += "\" style:family=\"table-column\"><style:table-column-properties "
               "style:column-width=\"";
        // About a fifth of a centimetre per character, with room for the margins.
        appendNumber(xml, 0.2 * (widths[i] + 2));
        xml += "cm\"/></style:style>\n";
    }
    for (int decimals : m_decimals) {
        xml += "<number:number-style style:name=\"N";
        appendInt(xml, decimals);
        xml += "\"><number:number number:decimal-places=\"";
        appendInt(xml, decimals);
        xml += "\" number:min-decimal-places=\"";
        appendInt(xml, decimals);
        xml += "\" number:min-integer-digits=\"1\"/></number:number-style>\n";
        xml += "<style:style style:name=\"ce";
        appendInt(xml, decimals);
        xml += "\" style:family=\"table-cell\" style:data-style-name=\"N";
        appendInt(xml, decimals);
        xml += "\"><style:paragraph-properties fo:text-align=\"end\"/></style:style>\n";
    }
    for (int decimals : m_scientific) {
        xml += "<number:number-style style:name=\"S";
        appendInt(xml, decimals);
        xml += "\"><number:scientific-number number:decimal-places=\"";
        appendInt(xml, decimals);
        xml += "\" number:min-integer-digits=\"1\" number:min-exponent-digits=\"2\"/>"
               "</number:number-style>\n<style:style style:name=\"cs";
        appendInt(xml, decimals);
        xml += "\" style:family=\"table-cell\" style:data-style-name=\"S";
        appendInt(xml, decimals);
        xml += "\"><style:paragraph-properties fo:text-align=\"end\"/></style:style>\n";
    }
    if (m_hasDates) {
        appendDateStyle(xml, kxDateParts(regionalSettings().shortDateFormat));
        xml += "<style:style style:name=\"da\" style:family=\"table-cell\" "
               "style:data-style-name=\"D0\"/>\n";
    }
    xml += "<style:style style:name=\"hd\" style:family=\"table-cell\">"
           "<style:text-properties fo:font-weight=\"bold\"/></style:style>\n";
    xml += "</office:automatic-styles>\n<office:body><office:spreadsheet>\n<table:table "
           "table:name=\"";
    appendEscaped(xml, sheetName());
    xml += "\">\n";
    for (std::size_t i = 0; i < widths.size(); ++i) {
        xml += "<table:table-column table:style-name=\"co";
        appendInt(xml, static_cast<long long>(i));
        xml += "\"/>\n";
    }
    if (widths.empty()) xml += "<table:table-column/>\n";
    return xml;
}

QString TkxODSWriter::sheetName() const {
    // Spreadsheets refuse these characters in a sheet's name.
    QString name = m_title.left(31);
    for (QChar& c : name) {
        if (QStringView(u"[]*?:/\\").contains(c)) c = QLatin1Char(' ');
    }
    if (name.trimmed().isEmpty()) name = QStringLiteral("Sheet1");
    return name;
}

QByteArray TkxODSWriter::settingsXml() const {
    if (m_frozenRows == 0) return {};
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-settings"
                     " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
                     " xmlns:config=\"urn:oasis:names:tc:opendocument:xmlns:config:1.0\""
                     " office:version=\"1.2\"><office:settings>\n"
                     "<config:config-item-set config:name=\"ooo:view-settings\">\n"
                     "<config:config-item-map-indexed config:name=\"Views\">\n"
                     "<config:config-item-map-entry>\n"
                     "<config:config-item config:name=\"ViewId\" config:type=\"string\">view1"
                     "</config:config-item>\n"
                     "<config:config-item-map-named config:name=\"Tables\">\n"
                     "<config:config-item-map-entry config:name=\"";
    appendEscaped(xml, sheetName());
    xml += "\">\n";
    // Split mode 2 freezes the rows above the split.
    appendSetting(xml, "HorizontalSplitMode", "short", 0);
    appendSetting(xml, "VerticalSplitMode", "short", 2);
    appendSetting(xml, "HorizontalSplitPosition", "int", 0);
    appendSetting(xml, "VerticalSplitPosition", "int", m_frozenRows);
    appendSetting(xml, "ActiveSplitRange", "short", 2);
    appendSetting(xml, "PositionLeft", "int", 0);
    appendSetting(xml, "PositionRight", "int", 0);
    appendSetting(xml, "PositionTop", "int", 0);
    appendSetting(xml, "PositionBottom", "int", m_frozenRows);
    xml += "</config:config-item-map-entry>\n</config:config-item-map-named>\n"
           "<config:config-item config:name=\"ActiveTable\" config:type=\"string\">";
    appendEscaped(xml, sheetName());
    xml += "</config:config-item>\n</config:config-item-map-entry>\n"
           "</config:config-item-map-indexed>\n</config:config-item-set>\n"
           "</office:settings></office:document-settings>\n";
    return xml;
}

QByteArray TkxODSWriter::metaXml() const {
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-meta";
    xml += Namespaces;
    xml += "><office:meta><dc:title>";
    appendEscaped(xml, m_title);
    xml += "</dc:title><meta:generator>TWL-Calculator</meta:generator></office:meta>"
           "</office:document-meta>\n";
    return xml;
}

QByteArray TkxODSWriter::EndDocument() {
    QByteArray styles = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-styles";
    styles += Namespaces;
    styles += "><office:styles/></office:document-styles>\n";
    spoolRows(true);
    // content.xml: its start (the styles the rows turned out to need), the
    // rows, its end.
    m_content->finish(
        contentStart(),
        "</table:table>\n</office:spreadsheet></office:body></office:document-content>\n");
    QByteArray bytes = kxODSPackage({m_content.get(), styles, metaXml(), settingsXml()});
    m_content.reset();
    return bytes;
}

} // namespace twl
