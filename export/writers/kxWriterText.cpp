#include "export/writers/kxWriterText.h"

#include "export/writers/kxWriterUtils.h"

namespace twl {

QString TkxPlainTextWriter::Cell(int Index, const TVariant& Value, int Width, bool) {
    const QString text = Frame().CellText(Value, Width);
    switch (Frame().CellAlignment(Index)) {
    case eaGeneral:
    case eaLeft:
        return PadRight(text, QLatin1Char(' '), Width);
    case eaRight:
        return PadLeft(text, QLatin1Char(' '), Width);
    case eaCenter:
        return PadCenter(text, Width);
    default:
        return text;
    }
}

QString TkxPlainTextWriter::RowNumberCell(const QString& N, int L) {
    return PadLeft(N, QLatin1Char(' '), L);
}

QString TkxPlainTextWriter::SeparatorText() {
    return RepeatChar(QLatin1Char('-'), Frame().TotalTextWidth());
}

TkxDocument TkxPlainTextWriter::Finish() {
    if (!m_toClipboard) return TkxFormatWriter::Finish();
    TkxDocument document;
    document.ToClipboard = true;
    document.ClipboardText = Frame().DocumentText();
    return document;
}

// The caption row gets an empty first field, so that the captions stand
// above their columns as a CSV reader sees them.
QString TkxCSVWriter::CaptionRowNumberCell() {
    return QStringLiteral(",");
}

QString TkxCSVWriter::Cell(int, const TVariant& Value, int Width, bool) {
    return QuoteField(Frame().CellText(Value, Width), false);
}

QString TkxCSVWriter::RowNumberCell(const QString& N, int) {
    return QuoteField(N, false);
}

QString TkxTabWriter::CaptionRowNumberCell() {
    return QStringLiteral("\t");
}

QString TkxTabWriter::Cell(int, const TVariant& Value, int Width, bool) {
    return Frame().CellText(Value, Width);
}

QString TkxTabWriter::RowNumberCell(const QString& N, int) {
    return N;
}

} // namespace twl
