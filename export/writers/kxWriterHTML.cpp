// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxWriterHTML.h"

#include "export/kxExport.h"
#include "export/writers/kxWriterConst.h"
#include "export/writers/kxWriterUtils.h"

#include <QStringBuilder>
#include <algorithm>

namespace twl {

namespace {

// The address in the page's Description meta line.
const char* const LibraryAddress = "http://www.vesk-export.example/";

// A data cell's end, and the content of an empty one.
constexpr char16_t DataCellEnd[] = u"</small></TD>";
constexpr char16_t EmptyContent[] = u"&nbsp;";

QLatin1String alignmentAttribute(TkxExcelAlignment Alignment) {
    static const char* const Attributes[] = {"", " ALIGN=\"Left\" ", " ALIGN=\"Right\" ",
                                             " ALIGN=\"Center\" "};
    return QLatin1String(Alignment <= eaCenter ? Attributes[Alignment] : "");
}

} // namespace

QString TkxHTMLWriter::HTMLColor(TColor Color) {
    const QString digits =
        QString::number(static_cast<std::uint32_t>(Color), 16).toUpper().rightJustified(6, '0');
    return QLatin1Char('#') + digits;
}

namespace {
template <class View> bool isLink(View Text) {
    static const QLatin1String Schemes[] = {QLatin1String("http"), QLatin1String("https"),
                                            QLatin1String("ftp"),  QLatin1String("news"),
                                            QLatin1String("nntp"), QLatin1String("mailto")};
    // Every prefix ends in a colon: look only before each colon, so that the
    // common value without one costs a single scan.
    for (qsizetype colon = Text.indexOf(QLatin1Char(':')); colon >= 0;
         colon = Text.indexOf(QLatin1Char(':'), colon + 1)) {
        const View before = Text.left(colon);
        for (const QLatin1String& scheme : Schemes) {
            if (before.endsWith(scheme, Qt::CaseSensitive)) return true;
        }
    }
    return false;
}
} // namespace

bool TkxHTMLWriter::IsLink(QStringView Text) {
    return isLink(Text);
}

bool TkxHTMLWriter::IsLink(QLatin1StringView Text) {
    return isLink(Text);
}

QString TkxHTMLWriter::Escape(const QString& Text) {
    // Most values need nothing and are returned without a copy.
    static constexpr AsciiSet Special(u"&<>\"");
    if (!Special.foundIn(Text)) return Text;
    QString out = Text;
    out.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    out.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    out.replace(QLatin1Char('>'), QLatin1String("&gt;"));
    out.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    return out;
}

QString TkxHTMLWriter::fontFace(bool ForTable) const {
    const TkxHTMLOptions& html = *Frame().Export().HTML();
    if (html.Template() != ctCustom) return LoadResString(rs::SkxHTMLFontFace);
    const TkxHTMLColors& custom = *html.CustomColors();
    return Escape(ForTable ? custom.TableFontFace() : custom.DefaultFontFace());
}

void TkxHTMLWriter::Prolog() {
    const TkxHTMLOptions& html = *Frame().Export().HTML();
    const TkxHTMLColorTemplate colorTemplate = html.Template();
    if (colorTemplate == ctCustom) {
        const TkxHTMLColors& c = *html.CustomColors();
        const TColor custom[] = {c.ActiveLink(),       c.Background(),      c.DefaultLink(),
                                 c.DefaultText(),      c.VisitedLink(),     c.HeaderBackground(),
                                 c.HeadersFontColor(), c.TableBackground(), c.TableOddBackground(),
                                 c.TableFontColor()};
        for (int role = 0; role < rs::HTMLColorRoleCount; ++role)
            m_colors[static_cast<std::size_t>(role)] = HTMLColor(custom[role]);
    } else {
        // A template outside the table falls back to the standard one.
        const int t = colorTemplate < rs::HTMLTemplateCount ? colorTemplate : ctStandard;
        for (int role = 0; role < rs::HTMLColorRoleCount; ++role)
            m_colors[static_cast<std::size_t>(role)] =
                HTMLColor(StringToColor(LoadResString(rs::SkxHTMLTemplateColors[t][role])));
    }
    // ASCII: a colour's text is "#" and hexadecimal digits.
    m_oddRowStart = (QStringLiteral("   <TR BGCOLOR=\"") + color(TableOddBackgroundRole) +
                     QStringLiteral("\">"))
                        .toLatin1();

    TkxDocumentLines& doc = Frame().DocumentLines();
    doc << QStringLiteral(
               "<!-- THIS FILE WAS CREATED BY VESK'S EXPORT COMPONENTS FOR KORVATH TESSIVON -->")
        << QStringLiteral("<!-- DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 TRANSITIONAL//EN\" -->")
        << QStringLiteral("<HTML>") << QStringLiteral(" <HEAD>")
        << QStringLiteral("  <META HTTP - EQUIV = \"Content - Type\" CONTENT = \"TEXT/HTML\">")
        << QStringLiteral(
               "  <META NAME = \"GENERATOR\" CONTENT = \"Vesk's Export Components for Tessivon\" >")
        << QStringLiteral("  <META NAME = \"Author\" CONTENT = \"Dorin Myrtel\" >")
        << QStringLiteral("  <META NAME = \"Description\" CONTENT = \"") +
               QLatin1String(LibraryAddress) + QStringLiteral("\" >");
    if (html.Options().contains(hoDisplayTitle))
        doc << QStringLiteral("  <TITLE>") + Escape(html.Title()) + QStringLiteral("</TITLE>");
    doc << QStringLiteral(" </HEAD>");
    doc << QStringLiteral(" <BODY BGCOLOR=\"") + color(BackgroundRole) +
               QStringLiteral("\" LINK=\"") + color(DefaultLinkRole) +
               QStringLiteral("\" ALINK=\"") + color(ActiveLinkRole) +
               QStringLiteral("\" VLINK=\"") + color(VisitedLinkRole) +
               QStringLiteral("\" TEXT=\"") + color(DefaultTextRole) + QStringLiteral("\">");
    doc << QStringLiteral(" <FONT COLOR=\"") + color(DefaultTextRole) +
               QStringLiteral("\" FACE=\"") + fontFace(false) + QStringLiteral("\">");
}

// Header and footer texts go in as the host wrote them: it may format them with markup.
void TkxHTMLWriter::HeaderText(const QStringList& Lines) {
    TkxDocumentLines& doc = Frame().DocumentLines();
    doc.append(Lines);
    const QString separator = Frame().SeparatorLine(true);
    if (!separator.isEmpty()) doc.append(separator);
}

void TkxHTMLWriter::tableStart() {
    const bool grid = Frame().Export().HTML()->Options().contains(hoShowGridLines);
    TkxDocumentLines& doc = Frame().DocumentLines();
    doc << QStringLiteral("  <TABLE WIDTH=\"100%\" CELLPADDING=\"4\" CELLSPACING=\"0\"") +
               (grid ? QStringLiteral(" BORDER=\"1\"") : QString()) +
               QStringLiteral(" BGCOLOR=\"") + color(TableBackgroundRole) + QStringLiteral("\">");
    // One item holding two lines, as the frame's document lines allow.
    doc << QStringLiteral("  <FONT COLOR=\"") + color(TableFontColorRole) +
               QStringLiteral("\" FACE=\"") + fontFace(true) +
               QStringLiteral("\">\r\n   <TR BGCOLOR=\"") + color(HeaderBackgroundRole) +
               QStringLiteral("\">");
}

QString TkxHTMLWriter::CaptionRowNumberCell() {
    return QStringLiteral("    <TD>&nbsp;</TD>\r\n");
}

void TkxHTMLWriter::RowStart(bool IsHeader) {
    if (IsHeader) {
        // The caption row opens the table; its TR is the table start's last line.
        tableStart();
        return;
    }
    const bool odd = (Frame().Export().RowIndex() & 1u) != 0;
    if (odd && Frame().Export().HTML()->Options().contains(hoOddRowColoring))
        Frame().DocumentLines().appendAscii(QLatin1StringView(m_oddRowStart));
    else
        Frame().DocumentLines().appendAscii(QLatin1StringView("   <TR>"));
}

void TkxHTMLWriter::RowEnd(bool) {
    Frame().DocumentLines().appendAscii(QLatin1StringView("   </TR>"));
}

void TkxHTMLWriter::TableEnd() {
    Frame().DocumentLines() << QStringLiteral("  </FONT>") << QStringLiteral("  </TABLE>");
}

TkxDocument TkxHTMLWriter::Finish() {
    Frame().DocumentLines() << QStringLiteral(" </FONT>") << QStringLiteral(" </BODY>")
                            << QStringLiteral("</HTML>");
    return TkxFormatWriter::Finish();
}

QString TkxHTMLWriter::Cell(int Index, const TVariant& Value, int Width, bool IsHeader) {
    const TkxCustomExport& source = Frame().Export();
    const TkxExportHTMLOptionSet options = source.HTML()->Options();

    QString content;
    if (Value.isNull()) {
        content = Frame().CellText(Value, Width);
    } else {
        const QString text = Value.toString();
        if (options.contains(hoAutoLink) && IsLink(text)) {
            // The address is the whole value, so that the link works even
            // when the shown text is cut to the column width.
            content = QStringLiteral("<A HREF=\"") + Escape(text) + QStringLiteral("\">") +
                      Escape(Frame().CellText(Value, Width)) + QStringLiteral("</A>");
        } else {
            content = Escape(Frame().CellText(Value, Width));
        }
    }
    if (content.isEmpty()) content = QString::fromUtf16(EmptyContent);

    // UTF-16 literals: the row's text is put together by copying alone.
    if (!IsHeader) return dataCellStart(Index) % content % DataCellEnd;
    if (options.contains(hoBoldHeaders))
        return QLatin1String("    <TD") % cellAttributes(Index) %
               QLatin1String("><B><FONT COLOR=\"") % color(HeadersFontColorRole) %
               QLatin1String("\"><small>") % content % QLatin1String("</small></FONT></B></TD>");
    return QLatin1String("    <TD") % cellAttributes(Index) % QLatin1String("><FONT COLOR=\"") %
           color(HeadersFontColorRole) % QLatin1String("\"><small>") % content %
           QLatin1String("</small></FONT></TD>");
}

QString TkxHTMLWriter::cellAttributes(int Index) const {
    const TStrings* widths = Frame().Export().ColumnWidths();
    const QLatin1String alignment = alignmentAttribute(Frame().CellAlignment(Index));
    if (widths->Count() <= Index) return alignment;
    return QLatin1String(" WIDTH=\"") % Escape(widths->line(Index)) % QLatin1Char('"') % alignment;
}

QString TkxHTMLWriter::dataCellStart(int Index) const {
    return u"    <TD" % cellAttributes(Index) % u"><small>";
}

int TkxHTMLWriter::PreparePlainCells() {
    const int count = Frame().Export().GetColumnCount();
    m_plainCellStarts.clear();
    qsizetype longest = 0;
    for (int i = 0; i < count; ++i) {
        const QString start = dataCellStart(i);
        // A width text outside ASCII: every cell is composed as a value.
        if (!IsPrintableAscii(start)) return -1;
        m_plainCellStarts.push_back(start.toLatin1());
        longest = std::max(longest, start.size());
    }
    m_plainLinks = Frame().Export().HTML()->Options().contains(hoAutoLink);
    return static_cast<int>(longest + std::size(DataCellEnd) + std::size(EmptyContent));
}

// A link, or a text with a character that becomes an entity, is composed as
// a value.
char* TkxHTMLWriter::PlainCell(int Index, QLatin1StringView Text, int, char* Out) {
    // One scan for the characters of an entity and the colon of a link.
    static constexpr AsciiSet Special(u"&<>\":");
    if (Special.foundIn(Text)) {
        static constexpr AsciiSet Entities(u"&<>\"");
        if (Entities.foundIn(Text) || (m_plainLinks && IsLink(Text))) return nullptr;
    }
    const QByteArray& start = m_plainCellStarts[static_cast<std::size_t>(Index)];
    Out = std::copy(start.cbegin(), start.cend(), Out);
    Out = Text.isEmpty() ? PutAscii(Out, EmptyContent) : PutAscii(Out, Text);
    return PutAscii(Out, DataCellEnd);
}

QString TkxHTMLWriter::RowNumberCell(const QString& N, int) {
    return QLatin1String("    <TD ALIGN=\"Right\">") % Escape(N) % QLatin1String("</TD>");
}

} // namespace twl
