// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxWriterRTF.h"

#include "base/Font.h"
#include "base/GuiConversions.h"
#include "base/Windows1252.h"
#include "export/kxExport.h"
#include "export/writers/kxWriterConst.h"
#include "export/writers/kxWriterUtils.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStringBuilder>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace twl {

namespace {

std::function<int()>& pixelsPerInchSource() {
    static std::function<int()> source;
    return source;
}

// Template colours by role (default font, header font, table font, table
// background, header background, odd-row background) for rtStandard ..
// rtGray.
const ResourceString* const TemplateColors[4][6] = {
    {&rs::SkxRTFBlack, &rs::SkxRTFWhite, &rs::SkxRTFBlack, &rs::SkxRTFWhite, &rs::SkxRTFNavy,
     &rs::SkxRTFLime},
    {&rs::SkxRTFBlack, &rs::SkxRTFRed, &rs::SkxRTFBlack, &rs::SkxRTFBlue, &rs::SkxRTFBlack,
     &rs::SkxRTFLilac},
    {&rs::SkxRTFBlack, &rs::SkxRTFWhite, &rs::SkxRTFBlack, &rs::SkxRTFWhite, &rs::SkxRTFRed,
     &rs::SkxRTFLime},
    {&rs::SkxRTFBlack, &rs::SkxRTFWhite, &rs::SkxRTFBlack, &rs::SkxRTFWhite, &rs::SkxRTFGray,
     &rs::SkxRTFMint},
};

// Colour-table entries in document order: the numbers behind \cfN and \clcbpatN.
const int ColorTableRoles[6] = {0, 1, 2, 4, 3, 5};

const char* const StyleBlock =
    "\\par \\pard\\plain\\cgrid\r\n"
    "{\\stylesheet{\\nowidctlpar\\widctlpar\\adjustright \\fs20\\cgrid \\snext0 Normal;}\r\n"
    "{\\*\\cs10 \\additive Default Paragraph Font;}}\r\n"
    "{\\*\\pnseclvl1\\pnucrm\\pnstart1\\pnindent720\\pnhang{\\pntxta.}}\r\n"
    "{\\*\\pnseclvl2\\pnucltr\\pnstart1\\pnindent720\\pnhang{\\pntxta .}}\r\n"
    "{\\*\\pnseclvl3\\pndec\\pnstart1\\pnindent720\\pnhang{\\pntxta.}}\r\n"
    "{\\*\\pnseclvl4\\pnlcltr\\pnstart1\\pnindent720\\pnhang{\\pntxta)}}\r\n"
    "{\\*\\pnseclvl5\\pndec\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta)}}\r\n"
    "{\\*\\pnseclvl6\\pnlcltr\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}\r\n"
    "{\\*\\pnseclvl7\\pnlcrm\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta)}}\r\n"
    "{\\*\\pnseclvl8\\pnlcltr\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta)}}\r\n"
    "{\\*\\pnseclvl9\\pnlcrm\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}\r\n";

const char* const GridWords = "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10"
                              "\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10";

const char* const RowEndText = "}\\pard \\nowidctlpar\\widctlpar\\intbl\\adjustright {\\row}\r\n";

// A cell's end (UTF-16, so that a cell is put together by copying alone),
// and the characters a cell's text escapes.
constexpr char16_t CellEnd[] = u"\\cell ";
constexpr AsciiSet EscapedCharacters(u"\\{}");

QStringView alignmentPrefix(TkxExcelAlignment Alignment) {
    static constexpr QStringView Prefixes[] = {u"", u"\\ql ", u"\\qr ", u"\\qc "};
    return Alignment <= eaCenter ? Prefixes[Alignment] : QStringView(u"");
}

} // namespace

int TkxRTFWriter::ScreenPixelsPerInch() {
    int ppi = 0;
    if (pixelsPerInchSource()) {
        ppi = pixelsPerInchSource()();
    } else if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            ppi = qRound(screen->logicalDotsPerInch());
    }
    return ppi > 0 ? ppi : TFont::DefaultPixelsPerInch;
}

void TkxRTFWriter::setPixelsPerInchSource(std::function<int()> Source) {
    pixelsPerInchSource() = std::move(Source);
}

TkxRTFWriter::FontClass TkxRTFWriter::FontClassOf(const TFont& Font) {
    struct KnownFace {
        const char* name;
        const char* family;
        const char* charset;
    };
    static const KnownFace Known[] = {
        {"MS Sans Serif", "fswiss", "fcharset0"},   {"Arial", "fswiss", "fcharset0"},
        {"Times New Roman", "froman", "fcharset0"}, {"Courier New", "fmodern", "fcharset0"},
        {"Symbol", "froman", "fcharset2"},
    };
    for (const KnownFace& face : Known) {
        if (Font.Name().compare(QLatin1String(face.name), Qt::CaseInsensitive) == 0)
            return {QLatin1String(face.family), QLatin1String(face.charset)};
    }
    QString family = QStringLiteral("fdontcare");
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        const QFontInfo info(toQFont(Font));
        switch (info.styleHint()) {
        case QFont::Serif:
            family = QStringLiteral("froman");
            break;
        case QFont::SansSerif:
            family = QStringLiteral("fswiss");
            break;
        case QFont::TypeWriter:
        case QFont::Monospace:
            family = QStringLiteral("fmodern");
            break;
        case QFont::Cursive:
            family = QStringLiteral("fscript");
            break;
        case QFont::Decorative:
        case QFont::Fantasy:
            family = QStringLiteral("fdecorative");
            break;
        default:
            if (info.fixedPitch()) family = QStringLiteral("fmodern");
            break;
        }
    }
    return {family, QStringLiteral("fcharset0")};
}

QString TkxRTFWriter::RTFColorEntry(TColor Color) {
    return QStringLiteral("\\red%1\\green%2\\blue%3;")
        .arg(GetRValue(Color))
        .arg(GetGValue(Color))
        .arg(GetBValue(Color));
}

QString TkxRTFWriter::RTFFontEntry(int Number, const TFont& Font) {
    const FontClass c = FontClassOf(Font);
    return QStringLiteral("{\\f") + QString::number(Number) + QLatin1Char('\\') + c.Family +
           QLatin1Char('\\') + c.Charset + QLatin1Char(' ') + Font.Name() + QStringLiteral(";}");
}

QString TkxRTFWriter::RTFFontSpec(const TFont& Font) {
    QString words = QStringLiteral("\\fs") + QString::number(Font.Size() * 2);
    if (Font.Bold()) words += QStringLiteral("\\b");
    if (Font.Italic()) words += QStringLiteral("\\i");
    if (Font.Underline()) words += QStringLiteral("\\ul");
    if (Font.StrikeOut()) words += QStringLiteral("\\strike");
    return words;
}

QString TkxRTFWriter::Escape(const QString& Text) {
    if (!EscapedCharacters.foundIn(Text)) return Text;
    QString out = Text;
    out.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    out.replace(QLatin1Char('{'), QLatin1String("\\{"));
    out.replace(QLatin1Char('}'), QLatin1String("\\}"));
    return out;
}

void TkxRTFWriter::WriteRTF(const QString& Text) {
    Windows1252Codec::appendEncoded(Frame().Export().DocumentBuffer(), Text);
}

TColor TkxRTFWriter::roleColor(int Role) const {
    const TkxRTFOptions& rtf = *Frame().Export().DOC_RTF();
    if (rtf.Template() == rtCustom || rtf.Template() > rtGray) {
        const TkxRTFColors& c = *rtf.CustomSettings();
        switch (Role) {
        case 0:
            return c.DefaultFont()->Color();
        case 1:
            return c.HeaderFont()->Color();
        case 2:
            return c.TableFont()->Color();
        case 3:
            return c.TableBackground();
        case 4:
            return c.HeaderBackground();
        default:
            return c.TableOddBackground();
        }
    }
    return StringToColor(LoadResString(*TemplateColors[rtf.Template()][Role]));
}

// The row definition: one cell definition per column (all columns, and the
// row-number column), every cell CellWidth wide at the screen's resolution.
QString TkxRTFWriter::rowDefinition(const QString& Shading) const {
    TkxCustomExport& source = Frame().Export();
    const TkxRTFOptions& rtf = *source.DOC_RTF();
    const int count = source.GetColumnCount() + (Frame().HasOption(xoRowNumbers) ? 1 : 0);
    const double ppi = ScreenPixelsPerInch();
    QString cellStart = QStringLiteral("\\clvertalc");
    if (rtf.Options().contains(roShowGridLines)) cellStart += QLatin1String(GridWords);
    cellStart += Shading;
    cellStart += QStringLiteral("\\cltxlrtb\\cellx");
    QString row = QStringLiteral("\\trowd\\trgaph108\\trrh260\\trleft0");
    for (int k = 1; k <= count; ++k) {
        // Halves round to even (the default rounding mode).
        const double edge = std::nearbyint(k * 100.0 / ppi * rtf.CellWidth());
        row += cellStart;
        row += QString::number(static_cast<long long>(edge));
    }
    row += QStringLiteral("\\pard\\ri-123\\nowidctlpar\\widctlpar\\intbl\\adjustright");
    return row;
}

void TkxRTFWriter::Prolog() {
    TkxCustomExport& source = Frame().Export();
    const TkxRTFOptions& rtf = *source.DOC_RTF();
    const TkxRTFColors& fonts = *rtf.CustomSettings();
    source.DocumentBuffer().clear();

    QString text = QStringLiteral("{\\rtf1\\ansi\\deff0\\deftab720\r\n{\\fonttbl");
    text += RTFFontEntry(0, *fonts.DefaultFont());
    text += RTFFontEntry(1, *fonts.HeaderFont());
    text += RTFFontEntry(2, *fonts.TableFont());
    text += QStringLiteral("}\r\n{\\colortbl");
    for (int role : ColorTableRoles)
        text += RTFColorEntry(roleColor(role));
    text += QStringLiteral("}\r\n");
    text += QStringLiteral("\\margl%1\\margr%2\\margt%3\\margb%4")
                .arg(rtf.LeftMargin())
                .arg(rtf.RightMargin())
                .arg(rtf.TopMargin())
                .arg(rtf.BottomMargin());
    WriteRTF(text);

    m_defaultSpec = RTFFontSpec(*fonts.DefaultFont());
    const bool oddColoring = rtf.Options().contains(roOddRowColoring);
    // Every row of a kind starts with the same bytes: encoded once.
    const QString captionFont = QStringLiteral(" {\\f1") + RTFFontSpec(*fonts.HeaderFont()) +
                                QStringLiteral("\\cf1\\cgrid0 ");
    const QString dataFont = QStringLiteral(" {\\f2") + RTFFontSpec(*fonts.TableFont()) +
                             QStringLiteral("\\cf2\\cgrid0 ");
    m_captionRowStart =
        Windows1252Codec::encode(rowDefinition(QStringLiteral(" \\clcbpat3")) + captionFont);
    m_dataRowStart =
        Windows1252Codec::encode(rowDefinition(QStringLiteral(" \\clcbpat4")) + dataFont);
    m_oddRowStart =
        oddColoring
            ? Windows1252Codec::encode(rowDefinition(QStringLiteral(" \\clcbpat5")) + dataFont)
            : m_dataRowStart;
    // Rows are the bulk of the document and all alike: room for them at once,
    // unless they leave as they are made.
    if (Frame().Streaming()) return;
    const qsizetype rowEstimate = m_dataRowStart.size() + qsizetype(strlen(RowEndText)) +
                                  qsizetype(source.GetColumnCount() + 1) * 16;
    source.DocumentBuffer().reserve(source.DocumentBuffer().size() +
                                    (qsizetype(source.RowTotal()) + 1) * rowEstimate);
}

// Header and footer lines go in as the host wrote them: it may format them with control words.
void TkxRTFWriter::HeaderText(const QStringList& Lines) {
    const QString start =
        QStringLiteral("\\par \\pard\\plain\\f0") + m_defaultSpec + QStringLiteral("\\cf0 ");
    for (const QString& line : Lines)
        WriteRTF(start + line + QStringLiteral("\r\n"));
    WriteRTF(QLatin1String(StyleBlock));
}

void TkxRTFWriter::RowStart(bool IsHeader) {
    QByteArray& buffer = Frame().Export().DocumentBuffer();
    if (IsHeader)
        buffer += m_captionRowStart;
    else if ((Frame().Export().RowIndex() & 1u) != 0)
        buffer += m_oddRowStart;
    else
        buffer += m_dataRowStart;
}

void TkxRTFWriter::RowLines(const QStringList& Lines) {
    for (const QString& line : Lines)
        WriteRTF(line);
}

void TkxRTFWriter::RowEnd(bool) {
    Frame().Export().DocumentBuffer() += RowEndText;
}

void TkxRTFWriter::TableEnd() {
    WriteRTF(QStringLiteral("\\pard\\nowidctlpar\\widctlpar\\adjustright {\r\n"));
}

void TkxRTFWriter::Footer(const QStringList& Lines) {
    QStringList paragraphs = Lines;
    if (Frame().HasOption(xoShowExportDate)) paragraphs.append(Frame().DateLine());
    const QString start =
        QStringLiteral("\\par \\pard\\plain\\f0") + m_defaultSpec + QStringLiteral("\\cf0 ");
    for (const QString& line : paragraphs)
        WriteRTF(start + line + QStringLiteral("\r\n"));
}

QByteArray* TkxRTFWriter::StreamedBuffer() {
    return &Frame().Export().DocumentBuffer();
}

TkxDocument TkxRTFWriter::Finish() {
    WriteRTF(QStringLiteral("}}"));
    TkxDocument document;
    document.Bytes = Frame().Export().DocumentBuffer();
    return document;
}

QString TkxRTFWriter::Cell(int Index, const TVariant& Value, int Width, bool) {
    return alignmentPrefix(Frame().CellAlignment(Index)) % Escape(Frame().CellText(Value, Width)) %
           CellEnd;
}

// A text with a character to escape is composed as a value.
char* TkxRTFWriter::PlainCell(int Index, QLatin1StringView Text, int, char* Out) {
    if (EscapedCharacters.foundIn(Text)) return nullptr;
    Out = PutAscii(Out, alignmentPrefix(Frame().CellAlignment(Index)));
    Out = PutAscii(Out, Text);
    return PutAscii(Out, CellEnd);
}

QString TkxRTFWriter::RowNumberCell(const QString& N, int) {
    return Escape(N) % QLatin1String("\\cell ");
}

} // namespace twl
