#include "export/writers/kxWriterDIF.h"

#include "export/kxExport.h"

#include <QStringBuilder>

namespace twl {

QString TkxInterchangeWriter::Title() const {
    QString name = QString::fromLatin1(Frame().Export().metaObject()->className());
    const qsizetype colon = name.lastIndexOf(QLatin1Char(':'));
    if (colon >= 0) name = name.mid(colon + 1);
    return name.toUpper();
}

QString TkxInterchangeWriter::OneLine(const QString& Text) {
    if (!Text.contains(QLatin1Char('\r')) && !Text.contains(QLatin1Char('\n'))) return Text;
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

// String values always go in double quotes (a reader takes a bare value for
// the end of the data), with the quotes inside them doubled.
QString TkxDIFWriter::Cell(int, const TVariant& Value, int Width, bool) {
    return StringValue(Frame().CellText(Value, Width));
}

QString TkxDIFWriter::RowNumberCell(const QString& N, int) {
    return StringValue(N);
}

QString TkxDIFWriter::StringValue(const QString& Text) {
    QString value = OneLine(Text);
    if (value.contains(QLatin1Char('"'))) value.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1String("1,0\r\n\"") % value % QLatin1String("\"\r\n");
}

// --- SYLK ---

// Readers take everything between the first and the last double quote of
// the field as the text, so a quote inside it stays single; a single
// semicolon would end the field.
QString TkxSYLKWriter::CellValue(const QString& Text) {
    QString value = OneLine(Text);
    if (value.contains(QLatin1Char(';'))) value.replace(QLatin1Char(';'), QLatin1String(";;"));
    return value;
}

QString TkxSYLKWriter::record(int X, const QString& Text) const {
    return QLatin1String("C;X") % QString::number(X) % QLatin1String(";Y") %
           QString::number(Frame().Export().OutputRow()) % QLatin1String(";K\"") % CellValue(Text) %
           QLatin1String("\"\r\n");
}

void TkxSYLKWriter::Prolog() {
    Frame().DocumentLines() << QStringLiteral("ID;P") + Title();
}

TkxDocument TkxSYLKWriter::Finish() {
    Frame().DocumentLines() << QStringLiteral("E");
    return TkxFormatWriter::Finish();
}

QString TkxSYLKWriter::Cell(int Index, const TVariant& Value, int Width, bool) {
    return record(Index + (Frame().HasOption(xoRowNumbers) ? 2 : 1),
                  Frame().CellText(Value, Width));
}

QString TkxSYLKWriter::RowNumberCell(const QString& N, int) {
    return record(1, N);
}

} // namespace twl
