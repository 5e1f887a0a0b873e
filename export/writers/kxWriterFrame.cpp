// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxWriterFrame.h"

#include "base/BaseConsts.h"
#include "base/Exceptions.h"
#include "base/Format.h"
#include "base/NumberParse.h"
#include "base/RegionalSettings.h"
#include "base/Windows1252.h"
#include "export/kxExport.h"
#include "export/writers/kxWriterUtils.h"
#include "toolkit/Strings.h"

#include <algorithm>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace twl {

// --- Default sections: those of the line-based text formats ---

void TkxFormatWriter::HeaderText(const QStringList& Lines) {
    Frame().DocumentLines().append(Lines);
}

QString TkxFormatWriter::CaptionRowNumberCell() {
    return RepeatChar(QLatin1Char(' '), static_cast<int>(Frame().RowNumberText().size()) + 1);
}

void TkxFormatWriter::RowLines(const QStringList& Lines) {
    Frame().DocumentLines().append(Lines);
}

void TkxFormatWriter::HeaderSeparator() {
    const QString line = Frame().SeparatorLine(true);
    if (!line.isEmpty()) Frame().DocumentLines().append(line);
}

void TkxFormatWriter::Footer(const QStringList& Lines) {
    TkxDocumentLines& doc = Frame().DocumentLines();
    const QString line = Frame().SeparatorLine(false);
    if (!line.isEmpty()) doc.append(line);
    doc.append(Lines);
    if (Frame().HasOption(xoShowExportDate)) doc.append(Frame().DateLine());
}

TkxDocument TkxFormatWriter::Finish() {
    TkxDocument document;
    document.Bytes = Frame().DocumentBytes();
    return document;
}

// --- The frame ---

TkxWriterFrame::TkxWriterFrame(TkxCustomExport& Export, std::unique_ptr<TkxFormatWriter> Format)
    : m_export(Export)
    , m_format(std::move(Format)) {
    m_format->m_frame = this;
}

TkxWriterFrame::~TkxWriterFrame() = default;

bool TkxWriterFrame::HasOption(TkxExportOptions Option) const {
    return m_export.Options().contains(Option);
}

bool TkxWriterFrame::IsColumnWritten(int Index) const {
    return HasOption(xoExportInvisibles) || m_export.IsColumnVisible(Index);
}

TkxExcelAlignment TkxWriterFrame::CellAlignment(int Index) const {
    return HasOption(xoUseAlignments) ? m_export.GetColumnAlignment(Index) : eaGeneral;
}

bool TkxWriterFrame::StreamTo(ByteSink* Sink) {
    m_sink = Sink && m_format->StreamedBuffer() ? Sink : nullptr;
    return m_sink != nullptr;
}

void TkxWriterFrame::drain() {
    // Large enough that the system sees few writes, small enough to be no
    // weight at any length of table.
    constexpr qsizetype Chunk = 256 * 1024;
    if (!m_sink) return;
    QByteArray& buffer = *m_format->StreamedBuffer();
    if (buffer.size() < Chunk) return;
    m_sink->write(buffer);
    buffer.resize(0); // keeps its room for the next rows
}

TkxDocument TkxWriterFrame::Build(const QString& FileName) {
    m_fileName = FileName;
    m_documentLines.clear();
    TkxFormatWriter& format = *m_format;
    TkxCustomExport& source = m_export;

    format.Prolog();

    QString header;
    if (source.OnGetHeader) source.OnGetHeader(&source, source.RowTotal(), header);
    TStrings::splitLinesInto(header, m_pendingLines);
    format.HeaderText(m_pendingLines);

    const bool showHeader = HasOption(xoShowHeader);
    const bool rowNumbers = HasOption(xoRowNumbers);
    if (showHeader) {
        const int count = source.GetColumnCount();
        TkxValues captions(static_cast<std::size_t>(qMax(0, count)));
        for (int i = 0; i < count; ++i) {
            QString caption;
            if (source.Captions()->Count() > i)
                caption = source.Captions()->line(i);
            else
                source.GetColumnCaption(i, caption);
            captions[static_cast<std::size_t>(i)] = TVariant(caption);
        }
        QString text;
        if (rowNumbers) {
            text = format.CaptionRowNumberCell();
            text += ComposeRow(captions, true, true);
        } else {
            text = ComposeRow(captions, true, false);
        }
        TStrings::splitLinesInto(text, m_pendingLines);
        format.RowStart(true);
        format.RowLines(m_pendingLines);
        format.RowEnd(true);
    }

    format.HeaderSeparator();
    if (!showHeader) format.TableStartWithoutCaptions();

    TkxNativeExcel* excel = source.ExcelWriter();
    TkxValues values;
    // The format's facts of a data row, asked once for all rows.
    const QString separator = format.CellSeparator();
    const bool documentLines = format.RowLinesAreDocumentLines();
    QByteArray* unbrokenText =
        format.RowLinesAppendWithoutLineEnds() ? format.StreamedBuffer() : nullptr;
    // A source with texts hands them over without a value each; rows of
    // plain cells then go straight into the document's bytes.
    const bool rowTexts = source.RowsAsTexts();
    const bool plainRows = rowTexts && !rowNumbers && (documentLines || unbrokenText) &&
                           preparePlainRows(separator, documentLines);
    QList<QLatin1StringView> texts;
    while (!source.IsEndOfRows()) {
        const bool write = rowTexts ? source.FetchRowTexts(texts) : source.FetchRow(values);
        if (write) {
            excel->setRow(excel->Row() + 1);
            excel->setColumn(1);
            // A row of plain texts: the format's row start, then the cells
            // straight into the document's bytes, unless one has no plain form.
            const qsizetype room = plainRows ? plainRowRoom(texts) : -1;
            if (room >= 0) format.RowStart(false);
            const auto put = [&](char* out) { return putPlainRow(texts, out); };
            const bool plain =
                room >= 0 && (documentLines ? m_documentLines.appendText(room, put)
                                            : appendUnbrokenText(*unbrokenText, room, put));
            if (plain) {
                m_export.CountOutputRow();
            } else {
                if (rowTexts) setValues(texts, values);
                ComposePieces(values, false, rowNumbers, m_pieces);
                if (room < 0) format.RowStart(false);
                // Straight into the document's bytes where that is the same
                // text; else joined, split into lines and handed to the format.
                const bool direct =
                    documentLines
                        ? m_documentLines.appendJoinedLines(m_pieces, separator)
                        : unbrokenText && appendJoinedText(*unbrokenText, m_pieces, separator);
                if (!direct) {
                    TStrings::splitLinesInto(m_pieces.join(separator), m_pendingLines);
                    format.RowLines(m_pendingLines);
                }
            }
            format.RowEnd(false);
            drain();
        }
        source.RowDone(write);
    }

    format.TableEnd();

    QString footer;
    if (source.OnGetFooter) source.OnGetFooter(&source, source.RowTotal(), footer);
    TStrings::splitLinesInto(footer, m_pendingLines);
    format.Footer(m_pendingLines);

    return format.Finish();
}

bool TkxWriterFrame::preparePlainRows(const QString& Separator, bool DocumentLines) {
    // The separator's own line ends must be whole CR LF pairs, as a plain
    // row's text keeps them; unbroken text has none.
    for (qsizetype i = 0; i < Separator.size(); ++i) {
        const QChar c = Separator[i];
        if (DocumentLines && c == QLatin1Char('\r') && i + 1 < Separator.size() &&
            Separator[i + 1] == QLatin1Char('\n')) {
            ++i;
            continue;
        }
        if (c != QLatin1Char('\t') && !IsPrintableAscii(QStringView(&c, 1))) return false;
    }
    m_plainCellExtra = m_format->PreparePlainCells();
    if (m_plainCellExtra < 0) return false;
    m_plainSeparator = Separator.toLatin1();
    m_plainTruncates = HasOption(xoTruncate);
    const int count = m_export.GetColumnCount();
    m_plainColumns.assign(static_cast<std::size_t>(std::max(count, 0)), {});
    for (int i = 0; i < count; ++i) {
        PlainColumn& column = m_plainColumns[static_cast<std::size_t>(i)];
        column.written = IsColumnWritten(i);
        if (column.written) column.width = ColumnWidth(i, m_export.GetColumnDataWidth(i));
    }
    return true;
}

qsizetype TkxWriterFrame::plainRowRoom(const QList<QLatin1StringView>& Texts) const {
    const qsizetype count = std::min<qsizetype>(Texts.size(), std::ssize(m_plainColumns));
    qsizetype room = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const PlainColumn& column = m_plainColumns[static_cast<std::size_t>(i)];
        if (!column.written) continue;
        const QLatin1StringView text = Texts[i];
        // A cut cell, or one that the code page or a line end would change,
        // is composed as a value.
        if (!IsPrintableAscii(text) ||
            (m_plainTruncates && column.width >= 1 && column.width < text.size()))
            return -1;
        room += m_plainSeparator.size() + 2 * text.size() + std::max(column.width, 0) +
                m_plainCellExtra;
    }
    return room;
}

char* TkxWriterFrame::putPlainRow(const QList<QLatin1StringView>& Texts, char* Out) {
    const qsizetype count = std::min<qsizetype>(Texts.size(), std::ssize(m_plainColumns));
    bool first = true;
    for (qsizetype i = 0; i < count; ++i) {
        const PlainColumn& column = m_plainColumns[static_cast<std::size_t>(i)];
        if (!column.written) continue;
        if (!first) Out = std::copy(m_plainSeparator.cbegin(), m_plainSeparator.cend(), Out);
        first = false;
        Out = m_format->PlainCell(static_cast<int>(i), Texts[i], column.width, Out);
        if (!Out) return nullptr;
    }
    return Out;
}

void TkxWriterFrame::setValues(const QList<QLatin1StringView>& Texts, TkxValues& Values) const {
    Values.resize(static_cast<std::size_t>(Texts.size()));
    for (qsizetype i = 0; i < Texts.size(); ++i)
        Values[static_cast<std::size_t>(i)] = TVariant(QString(Texts[i]));
}

QString TkxWriterFrame::ComposeRow(const TkxValues& Values, bool IsHeader, bool ShowRowNumber) {
    ComposePieces(Values, IsHeader, ShowRowNumber, m_pieces);
    return m_pieces.join(m_format->CellSeparator());
}

void TkxWriterFrame::ComposePieces(const TkxValues& Values, bool IsHeader, bool ShowRowNumber,
                                   QStringList& Pieces) {
    // Joined by position, not by emptiness: an empty first value must not
    // swallow the separator and shift the columns after it.
    Pieces.clear();
    if (ShowRowNumber && !IsHeader) Pieces.append(RowNumberText());
    const int count = static_cast<int>(Values.size());
    for (int i = 0; i < count; ++i) {
        if (!IsColumnWritten(i)) continue;
        const int width = ColumnWidth(i, m_export.GetColumnDataWidth(i));
        Pieces.append(m_format->Cell(i, Values[static_cast<std::size_t>(i)], width, IsHeader));
    }
    m_export.CountOutputRow();
}

QString TkxWriterFrame::CellText(const TVariant& Value, int Width) const {
    QString text = Value.isNull() ? LoadResString(rs::SNullText) : Value.toString();
    if (HasOption(xoTruncate) && Width >= 1 && Width < text.size())
        text = TruncateText(text, Width, m_export.TruncateSymbol());
    return text;
}

int TkxWriterFrame::ColumnWidth(int Index, int Default) const {
    const TStrings* widths = m_export.ColumnWidths();
    if (widths->Count() < Index + 1 || Index > m_export.GetColumnCount() - 1) return Default;
    std::int32_t value = 0;
    return TryStrToInt(widths->line(Index), value) ? value : Default;
}

QString TkxWriterFrame::RowNumberText() {
    const unsigned number = m_export.WrittenCount() + 1;
    const unsigned total = m_export.RowTotal();
    QString n;
    int length = 0;
    // Made for every row: a pattern whose result is longer than any row
    // number needs is refused like a bad one.
    static constexpr FormatLimits RowNumberLimits{256, 1024};
    try {
        n = Format(m_export.RowNumberFormat(), {number}, RowNumberLimits);
        length =
            static_cast<int>(Format(m_export.RowNumberFormat(), {total}, RowNumberLimits).size());
    } catch (const Exception&) {
        const QString plain = QStringLiteral("%d");
        n = Format(plain, {number});
        length = static_cast<int>(Format(plain, {total}).size());
    }
    return m_format->RowNumberCell(n, length);
}

QString TkxWriterFrame::SeparatorLine(bool IsHeader) {
    const bool wanted = IsHeader ? HasOption(xoHeaderLine) : HasOption(xoFooterLine);
    return wanted ? m_format->SeparatorText() : QString();
}

int TkxWriterFrame::TotalTextWidth() {
    const int count = m_export.GetColumnCount();
    int sum = 0;
    for (int i = 0; i < count; ++i) {
        if (IsColumnWritten(i)) sum += ColumnWidth(i, m_export.GetColumnDataWidth(i));
    }
    if (HasOption(xoRowNumbers)) return sum + count + static_cast<int>(RowNumberText().size());
    return sum + count - 1;
}

QString TkxWriterFrame::DateLine() const {
    const QDateTime now = currentDateTime();
    const QString stamp = DateToStr(now.date()) + QLatin1Char(' ') + TimeToStr(now.time());
    return Format(m_export.Messages()->CreatedText + QStringLiteral(" %s"), {stamp});
}

QString TkxWriterFrame::DocumentText() const {
    return m_documentLines.text();
}

QByteArray TkxWriterFrame::DocumentBytes() const {
    return m_documentLines.bytes();
}

// --- Document lines ---

void TkxDocumentLines::append(const QString& Line) {
    Windows1252Codec::appendEncoded(m_bytes, Line);
    m_bytes.append("\r\n", 2);
    ++m_count;
}

void TkxDocumentLines::append(const QStringList& Lines) {
    for (const QString& line : Lines)
        append(line);
}

namespace {

// The pieces joined by the separator, encoded at out: each line end (CR, LF
// or CR LF) written as CR LF, the lines counted, and the last line ended, or,
// with dropLineEnds, every CR and LF left out. Returns the end of the bytes;
// out has room for twice the characters and two more.
char* encodeJoined(char* out, const QStringList& Pieces, const QString& Separator,
                   bool dropLineEnds, qsizetype& lines) {
    bool afterCR = false;  // the last character was a CR: an LF now ends nothing
    bool openLine = false; // characters since the last line end
    const auto put = [&](const QString& text) {
        const QChar* p = text.constData();
        const QChar* end = p + text.size();
        while (p < end) {
#ifdef __SSE2__
            // Eight characters at a time while all are ASCII above CR.
            if (end - p >= 8) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
                const __m128i plain = _mm_and_si128(_mm_cmpgt_epi16(v, _mm_set1_epi16(0x0D)),
                                                    _mm_cmplt_epi16(v, _mm_set1_epi16(0x80)));
                if (_mm_movemask_epi8(plain) == 0xFFFF) {
                    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(v, v));
                    out += 8;
                    p += 8;
                    afterCR = false;
                    openLine = true;
                    continue;
                }
            }
#endif
            const char16_t u = p->unicode();
            // Most characters are printable ASCII: one byte, no line end.
            if (u > u'\r' && u < 0x80) {
                *out++ = static_cast<char>(u);
                afterCR = false;
                openLine = true;
                ++p;
                continue;
            }
            if (u != u'\r' && u != u'\n') {
                const QChar* run = p;
                while (p < end && p->unicode() != u'\r' && p->unicode() != u'\n')
                    ++p;
                out = Windows1252Codec::encodeTo(out, run, p - run);
                afterCR = false;
                openLine = true;
                continue;
            }
            const bool cr = u == u'\r';
            if (!dropLineEnds && (cr || !afterCR)) {
                *out++ = '\r';
                *out++ = '\n';
                ++lines;
            }
            afterCR = cr;
            openLine = false;
            ++p;
        }
    };
    for (qsizetype i = 0; i < Pieces.size(); ++i) {
        if (i > 0) put(Separator);
        put(Pieces.at(i));
    }
    if (openLine && !dropLineEnds) {
        *out++ = '\r';
        *out++ = '\n';
        ++lines;
    }
    return out;
}

// The joined text's length, or -1 where the direct way would not give the
// text's own bytes: no pieces, or a pair of surrogates split between two.
qsizetype joinedLength(const QStringList& Pieces, const QString& Separator) {
    const qsizetype n = Pieces.size();
    if (n == 0) return -1;
    qsizetype length = Separator.size() * (n - 1);
    for (qsizetype i = 0; i < n; ++i) {
        const QString& piece = Pieces.at(i);
        length += piece.size();
        // A pair of surrogates across two pieces is one character of the row.
        if (i + 1 < n && ((!piece.isEmpty() && piece.back().isHighSurrogate()) ||
                          (!Separator.isEmpty() && Separator.back().isHighSurrogate())))
            return -1;
    }
    return length;
}

} // namespace

bool TkxDocumentLines::appendJoinedLines(const QStringList& Pieces, const QString& Separator) {
    const qsizetype length = joinedLength(Pieces, Separator);
    if (length <= 0) return false;
    // Room for the worst case, every character a lone CR or LF that becomes
    // CR LF, and the last line's end; written in place, then cut to size.
    const qsizetype start = m_bytes.size();
    m_bytes.resize(start + 2 * length + 2);
    qsizetype lines = 0;
    char* end = encodeJoined(m_bytes.data() + start, Pieces, Separator, false, lines);
    m_bytes.resize(end - m_bytes.constData());
    m_count += lines;
    return true;
}

bool appendJoinedText(QByteArray& Bytes, const QStringList& Pieces, const QString& Separator) {
    const qsizetype length = joinedLength(Pieces, Separator);
    if (length < 0) return false;
    const qsizetype start = Bytes.size();
    Bytes.resize(start + length);
    qsizetype lines = 0;
    char* end = encodeJoined(Bytes.data() + start, Pieces, Separator, true, lines);
    Bytes.resize(end - Bytes.constData());
    return true;
}

void TkxDocumentLines::clear() {
    m_bytes.clear();
    m_count = 0;
}

QString TkxDocumentLines::text() const {
    return Windows1252Codec::decode(m_bytes);
}

} // namespace twl
