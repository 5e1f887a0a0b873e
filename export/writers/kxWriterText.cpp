// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxWriterText.h"

#include "export/writers/kxWriterUtils.h"

namespace twl {

Padding TkxPlainTextWriter::cellPadding(int Index, qsizetype Length, int Width) const {
    switch (Frame().CellAlignment(Index)) {
    case eaGeneral:
    case eaLeft:
        return RightPadding(Length, Width);
    case eaRight:
        return LeftPadding(Length, Width);
    case eaCenter:
        return CenterPadding(Length, Width);
    default:
        return {};
    }
}

QString TkxPlainTextWriter::Cell(int Index, const TVariant& Value, int Width, bool) {
    const QString text = Frame().CellText(Value, Width);
    return Padded(text, QLatin1Char(' '), cellPadding(Index, text.size(), Width));
}

char* TkxPlainTextWriter::PlainCell(int Index, QLatin1StringView Text, int Width, char* Out) {
    const Padding fill = cellPadding(Index, Text.size(), Width);
    Out = PutRepeated(Out, ' ', fill.before);
    Out = PutAscii(Out, Text);
    return PutRepeated(Out, ' ', fill.after);
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

char* TkxCSVWriter::PlainCell(int, QLatin1StringView Text, int, char* Out) {
    return PutQuotedField(Out, Text, false);
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

char* TkxTabWriter::PlainCell(int, QLatin1StringView Text, int, char* Out) {
    return PutAscii(Out, Text);
}

QString TkxTabWriter::RowNumberCell(const QString& N, int) {
    return N;
}

} // namespace twl
