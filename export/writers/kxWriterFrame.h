// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The document writer frame: one pass over the source rows that builds a
// document in a fixed order of sections (opening part, header text, caption
// row, header separator, data rows, table end, footer, finish), with the cell
// formatting that every format shares. What each section produces is asked
// from a format plug-in (TkxFormatWriter), one class per format family, made
// by kxMakeFormatWriter (kxWriterRegistry.cpp).

#include "base/Variant.h"
#include "biff/kxNativeExcel.h"
#include "export/kxExportTypes.h"
#include "export/kxExportWriter.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <memory>
#include <vector>

namespace twl {

class TkxCustomExport;
class TkxWriterFrame;

// The pieces joined by the separator and encoded at the end of Bytes, every
// CR and LF left out: the bytes of the joined text's lines written one after
// another. False, appending nothing, where a pair of surrogates is split
// between two pieces.
bool appendJoinedText(QByteArray& Bytes, const QStringList& Pieces, const QString& Separator);
// A text without line ends, written by write(char* at) in at most Room
// bytes at the end of Bytes (write returns its end, or null for no text, and
// nothing is appended). Returns whether the text was appended.
template <class Write> bool appendUnbrokenText(QByteArray& Bytes, qsizetype Room, Write&& write) {
    const qsizetype start = Bytes.size();
    Bytes.resize(start + Room);
    char* end = write(Bytes.data() + start);
    Bytes.resize(end ? end - Bytes.constData() : start);
    return end != nullptr;
}

// The lines of a line-based document. They are kept as the bytes that will be
// saved (every line followed by CR LF, in the single-byte code page), so a
// large document costs about its own size in memory. A line may itself hold
// CR LF; it then becomes several lines of the file.
class TkxDocumentLines {
public:
    void append(const QString& Line);
    // A line of ASCII characters, which are their own bytes.
    void appendAscii(QLatin1StringView Line) {
        m_bytes.append(Line.data(), Line.size());
        m_bytes.append("\r\n", 2);
        ++m_count;
    }
    void append(const QStringList& Lines);
    // The pieces joined by the separator, as the lines that text would make
    // (broken at every CR, LF or CR LF, without an empty last line), written
    // straight into the bytes. Returns false, appending nothing, for a text
    // without characters or a pair of surrogates split between two pieces.
    bool appendJoinedLines(const QStringList& Pieces, const QString& Separator);
    // A row's text whose only line ends are CR LF pairs, written by
    // write(char* at) in at most Room bytes, as the lines that text makes:
    // itself, with a CR LF after an unended last line. write returns the
    // text's end, or null for no text; nothing is then appended, and neither
    // is anything for an empty text, which makes no line. Returns whether
    // the text was appended.
    template <class Write> bool appendText(qsizetype Room, Write&& write) {
        const qsizetype start = m_bytes.size();
        m_bytes.resize(start + Room + 2);
        char* const begin = m_bytes.data() + start;
        char* end = write(begin);
        if (!end || end == begin) {
            m_bytes.resize(start);
            return false;
        }
        m_count += std::count(begin, end, '\n');
        if (end - begin < 2 || end[-2] != '\r' || end[-1] != '\n') {
            *end++ = '\r';
            *end++ = '\n';
            ++m_count;
        }
        m_bytes.resize(end - m_bytes.constData());
        return true;
    }
    TkxDocumentLines& operator<<(const QString& Line) {
        append(Line);
        return *this;
    }
    // Number of items appended.
    qsizetype count() const { return m_count; }
    bool isEmpty() const { return m_count == 0; }
    void clear();
    const QByteArray& bytes() const { return m_bytes; }
    // The bytes themselves, for a frame that hands them on as they are made.
    QByteArray& buffer() { return m_bytes; }
    // The same document as text (what the file would read as).
    QString text() const;

private:
    QByteArray m_bytes;
    qsizetype m_count = 0;
};

// The format of one family of document types. Each hook is one section or
// one piece of a row; the defaults are those of the line-based text formats,
// so a format overrides only where it differs.
class TkxFormatWriter {
public:
    virtual ~TkxFormatWriter() = default;

    // Opening part (nothing by default).
    virtual void Prolog() {}
    // The lines of the OnGetHeader text; by default each becomes a document line.
    virtual void HeaderText(const QStringList& Lines);
    // With row numbers, what stands in front of the caption row's text (it
    // may also write cells itself): by default Length(RowNumberText()) + 1 spaces.
    virtual QString CaptionRowNumberCell();
    // The frame of a composed row: start, the row's lines, end. By default
    // the lines become document lines and there is no start or end.
    virtual void RowStart(bool IsHeader) { (void)IsHeader; }
    virtual void RowLines(const QStringList& Lines);
    virtual void RowEnd(bool IsHeader) { (void)IsHeader; }
    // After the caption row (written or not): by default the header
    // separator line when it is not empty.
    virtual void HeaderSeparator();
    // When there is no caption row, after the header separator.
    virtual void TableStartWithoutCaptions() {}
    // After the last data row.
    virtual void TableEnd() {}
    // The lines of the OnGetFooter text; by default the footer separator,
    // the lines and, with xoShowExportDate, the date line become document lines.
    virtual void Footer(const QStringList& Lines);
    // The finished document; by default the document lines saved as a file.
    virtual TkxDocument Finish();

    // One cell of column Index with width Width; every format passes the
    // value through Frame().CellText(Value, Width).
    virtual QString Cell(int Index, const TVariant& Value, int Width, bool IsHeader) = 0;
    // Put between two cells of a composed row ("" when the cells carry their
    // own delimiters).
    virtual QString CellSeparator() const { return {}; }
    // The row-number cell of a data row from the formatted number N and the
    // length L of the formatted row total.
    virtual QString RowNumberCell(const QString& N, int L) = 0;
    // The header or footer separator line when its option is set ("" for none).
    virtual QString SeparatorText() { return {}; }
    // The buffer whose bytes Finish() returns, when every byte put there is
    // final once written: the frame may then hand its bytes on between rows
    // (a file written as it is made). Null (the default): the document is
    // held whole.
    virtual QByteArray* StreamedBuffer() { return nullptr; }
    // Whether RowLines is the default (the lines become document lines), so
    // that the frame may write a data row straight into the document's bytes.
    virtual bool RowLinesAreDocumentLines() const { return false; }
    // Whether RowLines writes the lines' text, without line ends, at the end
    // of StreamedBuffer(), so that the frame may do the same straight away.
    virtual bool RowLinesAppendWithoutLineEnds() const { return false; }
    // Readies this document's plain cells: the bytes of a data cell of
    // printable ASCII, not cut, written by PlainCell straight into the
    // document, the same as Cell()'s text encoded. Returns the most bytes a
    // plain cell takes beyond twice its text and its width, or -1 where the
    // document has none. Only a format whose RowLines are document lines or
    // unbroken text, and whose Cell depends on nothing that RowStart
    // changes, has them.
    virtual int PreparePlainCells() { return -1; }
    // Writes the plain cell at Out and returns the end, or null where this
    // text has no plain form (the row is then composed as values).
    virtual char* PlainCell(int Index, QLatin1StringView Text, int Width, char* Out) {
        (void)Index;
        (void)Text;
        (void)Width;
        (void)Out;
        return nullptr;
    }

    TkxWriterFrame& Frame() const { return *m_frame; }

private:
    friend class TkxWriterFrame;
    TkxWriterFrame* m_frame = nullptr;
};

class TkxWriterFrame : public TkxDocumentWriter {
public:
    TkxWriterFrame(TkxCustomExport& Export, std::unique_ptr<TkxFormatWriter> Format);
    ~TkxWriterFrame() override;

    TkxDocument Build(const QString& FileName) override;
    bool StreamTo(ByteSink* Sink) override;
    // Whether the document's bytes go out as they are made.
    bool Streaming() const { return m_sink != nullptr; }

    // --- Shared cell formatting ---
    // One caption or data row in the format's syntax.
    QString ComposeRow(const TkxValues& Values, bool IsHeader, bool ShowRowNumber);
    // The same row as its pieces (the row-number cell, then each written
    // cell), which ComposeRow joins with the format's cell separator.
    void ComposePieces(const TkxValues& Values, bool IsHeader, bool ShowRowNumber,
                       QStringList& Pieces);
    // The text of a value: "** NULL **" for Null, then cut with xoTruncate.
    QString CellText(const TVariant& Value, int Width) const;
    // The ColumnWidths line of the column when it is an integer, else Default.
    int ColumnWidth(int Index, int Default) const;
    // The row-number cell of the next written row.
    QString RowNumberText();
    // The header or footer separator line, "" unless its option is set.
    QString SeparatorLine(bool IsHeader);
    // Width in characters of a plain-text row.
    int TotalTextWidth();

    // --- For the formats ---
    TkxCustomExport& Export() const { return m_export; }
    const QString& FileName() const { return m_fileName; }
    bool HasOption(TkxExportOptions Option) const;
    // Whether column Index is written (xoExportInvisibles or visible).
    bool IsColumnWritten(int Index) const;
    // The column's alignment with xoUseAlignments, else eaGeneral.
    TkxExcelAlignment CellAlignment(int Index) const;
    // CreatedText, a blank and the current date and time.
    QString DateLine() const;
    TkxDocumentLines& DocumentLines() { return m_documentLines; }
    // Every document line followed by CR LF, as text or as single-byte bytes.
    QString DocumentText() const;
    QByteArray DocumentBytes() const;

private:
    // Hands the streamed buffer's bytes on once there are enough of them.
    void drain();
    // Whether data rows read as texts may be written as plain cells, and
    // the columns' facts for them.
    bool preparePlainRows(const QString& Separator, bool DocumentLines);
    // The most bytes a data row of plain texts takes, or -1 where a text is
    // not plain.
    qsizetype plainRowRoom(const QList<QLatin1StringView>& Texts) const;
    // Those texts as plain cells joined, at Out; the end, or null where a
    // cell has no plain form.
    char* putPlainRow(const QList<QLatin1StringView>& Texts, char* Out);
    void setValues(const QList<QLatin1StringView>& Texts, TkxValues& Values) const;

    struct PlainColumn {
        bool written = false;
        int width = 0;
    };

    TkxCustomExport& m_export;
    std::unique_ptr<TkxFormatWriter> m_format;
    QString m_fileName;
    TkxDocumentLines m_documentLines;
    QStringList m_pendingLines;
    QStringList m_pieces;
    ByteSink* m_sink = nullptr;
    std::vector<PlainColumn> m_plainColumns;
    QByteArray m_plainSeparator;
    int m_plainCellExtra = 0;
    bool m_plainTruncates = false;
};

} // namespace twl
