// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxWriterDIF.h"

#include "export/kxExport.h"
#include "export/writers/kxWriterUtils.h"

#include <QStringBuilder>
#include <algorithm>
#include <charconv>

namespace twl {

QString TkxInterchangeWriter::Title() const {
    return Frame().Export().DocumentClassName().toUpper();
}

QString TkxInterchangeWriter::OneLine(const QString& Text) {
    static constexpr AsciiSet LineBreaks(u"\r\n");
    if (!LineBreaks.foundIn(Text)) return Text;
    QString out = Text;
    out.replace(QLatin1String("\r\n"), QLatin1String(" "));
    out.replace(QLatin1Char('\r'), QLatin1Char(' '));
    out.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return out;
}

// --- DIF ---

void TkxDIFWriter::Prolog() {
    TkxCustomExport& source = Frame().Export();
    const int vectors = source.GetColumnCount() + (Frame().HasOption(xoRowNumbers) ? 1 : 0);
    Frame().DocumentLines() << QStringLiteral("TABLE") << QStringLiteral("0,1")
                            << QLatin1Char('"') + Title() + QLatin1Char('"')
                            << QStringLiteral("VECTORS") << QStringLiteral("0,%1").arg(vectors)
                            << QStringLiteral("\"\"") << QStringLiteral("TUPLES")
                            << QStringLiteral("0,%1").arg(source.RowTotal())
                            << QStringLiteral("\"\"") << QStringLiteral("DATA")
                            << QStringLiteral("0,0") << QStringLiteral("\"\"");
}

void TkxDIFWriter::RowStart(bool) {
    Frame().DocumentLines() << QStringLiteral("-1,0") << QStringLiteral("BOT");
}

TkxDocument TkxDIFWriter::Finish() {
    Frame().DocumentLines() << QStringLiteral("-1,0") << QStringLiteral("EOD");
    return TkxFormatWriter::Finish();
}

// Every cell is a text value, always in quotes with a quote inside doubled:
// some readers stop at the first bare string value, and every reader takes
// the quoted form. A line break would split the value line and shift every
// record after it, so it becomes a blank.
QString TkxDIFWriter::Cell(int, const TVariant& Value, int Width, bool) {
    const QString text = Frame().CellText(Value, Width);
    // Without a quote or line break the value goes into its quotes as it is.
    static constexpr AsciiSet Special(u"\"\r\n");
    if (!Special.foundIn(text)) return u"1,0\r\n\"" % text % u"\"\r\n";
    return QLatin1String("1,0\r\n") % QuoteField(OneLine(text), true) % QLatin1String("\r\n");
}

// A cell of printable ASCII: the record, the value always quoted.
int TkxDIFWriter::PreparePlainCells() {
    return 16;
}

char* TkxDIFWriter::PlainCell(int, QLatin1StringView Text, int, char* Out) {
    Out = PutAscii(Out, u"1,0\r\n");
    Out = PutQuotedField(Out, Text, true);
    return PutAscii(Out, u"\r\n");
}

// The row number is quoted like every other value; a row-number format may
// put a quote into it.
QString TkxDIFWriter::RowNumberCell(const QString& N, int) {
    return QLatin1String("1,0\r\n") % QuoteField(OneLine(N), true) % QLatin1String("\r\n");
}

// --- SYLK ---

// A single semicolon would end the field, so it is doubled; a line break
// would split the record, so it becomes a blank.
QString TkxSYLKWriter::CellValue(const QString& Text) {
    QString value = OneLine(Text);
    if (value.contains(QLatin1Char(';'))) value.replace(QLatin1Char(';'), QLatin1String(";;"));
    return value;
}

char* TkxSYLKWriter::recordStart(int X, char* Out) const {
    // The two numbers through a buffer: no text is made for either.
    Out = PutAscii(Out, u"C;X");
    Out = std::to_chars(Out, Out + 11, X).ptr;
    Out = PutAscii(Out, u";Y");
    Out = std::to_chars(Out, Out + 11, Frame().Export().OutputRow()).ptr;
    return PutAscii(Out, u";K");
}

// `Value` carries its enclosing quotes, or, with Plain, needs nothing but them.
QString TkxSYLKWriter::record(int X, const QString& Value, bool Plain) const {
    char start[RecordStartRoom];
    const QLatin1StringView head(start, recordStart(X, start));
    if (Plain) return head % u'"' % Value % u"\"\r\n";
    return head % CellValue(Value) % u"\r\n";
}

void TkxSYLKWriter::Prolog() {
    Frame().DocumentLines() << QStringLiteral("ID;P") + Title();
}

TkxDocument TkxSYLKWriter::Finish() {
    Frame().DocumentLines() << QStringLiteral("E");
    return TkxFormatWriter::Finish();
}

QString TkxSYLKWriter::Cell(int Index, const TVariant& Value, int Width, bool) {
    const int x = column(Index);
    const QString text = Frame().CellText(Value, Width);
    // Without a quote, semicolon or line break the value goes into its
    // quotes as it is.
    static constexpr AsciiSet Special(u"\";\r\n");
    if (!Special.foundIn(text)) return record(x, text, true);
    return record(x, QuoteField(OneLine(text), true));
}

int TkxSYLKWriter::PreparePlainCells() {
    return RecordStartRoom + 4;
}

// A value with a quote or a semicolon is composed as a value.
char* TkxSYLKWriter::PlainCell(int Index, QLatin1StringView Text, int, char* Out) {
    static constexpr AsciiSet Special(u"\";");
    if (Special.foundIn(Text)) return nullptr;
    Out = recordStart(column(Index), Out);
    *Out++ = '"';
    Out = PutAscii(Out, Text);
    return PutAscii(Out, u"\"\r\n");
}

QString TkxSYLKWriter::RowNumberCell(const QString& N, int) {
    return record(1, QLatin1Char('"') + N + QLatin1Char('"'));
}

} // namespace twl
