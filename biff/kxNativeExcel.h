// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TkxNativeExcel: a one-sheet workbook writer with a cell cursor. The caller
// sets the formatting properties, writes values one at a time at the cursor,
// and the cursor moves on by itself. Records go into a memory buffer that
// SaveToFile writes to FileName in one piece.
//
// BOF and DIMENSIONS follow the chosen format setting; every other record uses
// the oldest layout (three attribute bytes per cell, 8-bit texts with a one-byte
// length) whatever the setting.

#include "biff/kxNativeExcelConst.h"
#include "biff/kxNativeExcelRecord.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <cstdint>
#include <initializer_list>

namespace twl {

class TFont;
class TVariant;

class TkxNativeExcel : public QObject {
    Q_OBJECT

public:
    enum TkxBIFFVersion : std::uint8_t { bvBIFF2, bvBIFF3, bvBIFF4, bvBIFF5 };
    Q_ENUM(TkxBIFFVersion)
    enum TkxMoveAfterEnter : std::uint8_t { maNone, maUp, maDown, maLeft, maRight };
    Q_ENUM(TkxMoveAfterEnter)
    enum TkxExcelBorders : std::uint8_t { ebTop, ebBottom, ebLeft, ebRight };
    Q_ENUM(TkxExcelBorders)
    enum TkxExcelAlignment : std::uint8_t {
        eaGeneral,
        eaLeft,
        eaRight,
        eaCenter,
        eaFill,
        eaMultiPlan
    };
    Q_ENUM(TkxExcelAlignment)

    // A set of border sides in one byte, side n in bit n.
    class TkxExcelBorderSet {
    public:
        constexpr TkxExcelBorderSet() = default;
        constexpr TkxExcelBorderSet(std::initializer_list<TkxExcelBorders> sides) {
            for (TkxExcelBorders s : sides)
                m_bits = static_cast<std::uint8_t>(m_bits | (1u << s));
        }
        static constexpr TkxExcelBorderSet all() { return {ebTop, ebBottom, ebLeft, ebRight}; }
        static constexpr TkxExcelBorderSet fromBits(std::uint8_t bits) {
            TkxExcelBorderSet s;
            s.m_bits = bits & 0x0F;
            return s;
        }
        constexpr bool contains(TkxExcelBorders side) const { return m_bits & (1u << side); }
        constexpr bool isEmpty() const { return m_bits == 0; }
        constexpr std::uint8_t bits() const { return m_bits; }
        constexpr bool operator==(const TkxExcelBorderSet&) const = default;

    private:
        std::uint8_t m_bits = 0;
    };

    // Published properties, in their published order.
    Q_PROPERTY(int ActiveFont READ ActiveFont WRITE setActiveFont)
    Q_PROPERTY(TkxExcelAlignment Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(TkxBIFFVersion BIFF READ BIFF WRITE setBIFF)
    Q_PROPERTY(int Borders READ bordersBits WRITE setBordersBits)
    Q_PROPERTY(QString FileName READ FileName WRITE setFileName)
    Q_PROPERTY(int Row READ Row WRITE setRow)
    Q_PROPERTY(int Column READ Column WRITE setColumn)
    Q_PROPERTY(TkxMoveAfterEnter MoveAfterEnter READ MoveAfterEnter WRITE setMoveAfterEnter)
    Q_PROPERTY(bool Shading READ Shading WRITE setShading)
    Q_PROPERTY(bool Hidden READ Hidden WRITE setHidden)
    Q_PROPERTY(bool Locked READ Locked WRITE setLocked)
    Q_PROPERTY(QString Version READ Version WRITE setVersion)

    // A new writer already holds the BOF and DIMENSIONS of a BIFF5 workbook.
    explicit TkxNativeExcel(QObject* owner = nullptr);
    ~TkxNativeExcel() override;

    // Silent refusal: a value above FontCount (or the current one) is ignored.
    // FontCount itself is accepted; a font index of 4 or more puts font bits 0
    // into the cells.
    int ActiveFont() const { return m_activeFont; }
    void setActiveFont(int value);
    TkxExcelAlignment Alignment() const { return m_alignment; }
    void setAlignment(TkxExcelAlignment value);
    // A different setting restarts the workbook in the new layout. The three
    // enumerated properties ignore values outside their enumeration.
    TkxBIFFVersion BIFF() const { return m_biff; }
    void setBIFF(TkxBIFFVersion value);
    TkxExcelBorderSet Borders() const { return m_borders; }
    void setBorders(TkxExcelBorderSet value) { m_borders = value; }
    // The target file. A name whose extension is not ".xls" (any letter case)
    // gets ".XLS" in place of its extension, or appended when it has none.
    QString FileName() const { return m_fileName; }
    void setFileName(const QString& value);
    // The 1-based cursor; values outside 1..65535 (rows) and 1..256 (columns)
    // are ignored.
    int Row() const { return m_row; }
    void setRow(int value);
    int Column() const { return m_column; }
    void setColumn(int value);
    TkxMoveAfterEnter MoveAfterEnter() const { return m_moveAfterEnter; }
    void setMoveAfterEnter(TkxMoveAfterEnter value);
    bool Shading() const { return m_shading; }
    void setShading(bool value) { m_shading = value; }
    bool Hidden() const { return m_hidden; }
    void setHidden(bool value) { m_hidden = value; }
    bool Locked() const { return m_locked; }
    void setLocked(bool value) { m_locked = value; }
    // "1.23"; assignments are ignored.
    QString Version() const;
    void setVersion(const QString&) {}

    // Workbook operations.
    void Open();  // empties the buffer and starts a new workbook
    void Close(); // ends the workbook
    // Writes the buffer to FileName through a new file renamed over the target;
    // raises EFCreateError "Cannot create file %s" and leaves the target, the
    // buffer and the state untouched on failure.
    void SaveToFile();
    // At most four fonts per workbook; a null font or a fifth one is ignored.
    void WriteFont(const TFont* font);
    void WriteHeader(const char* text);
    void WriteHeader(const QString& text);
    void WriteFooter(const char* text);
    void WriteFooter(const QString& text);
    void WriteLeftMargin(double value);
    void WriteRightMargin(double value);
    void WriteTopMargin(double value);
    void WriteBottomMargin(double value);
    // Side: 0 left, 1 right, 2 top, 3 bottom; any other side writes nothing.
    void WriteMargin(int side, double value);
    // Columns are 1-based and kept to their low 8 bits after the shift to
    // 0-based, so (1, 256, w) covers every column. Width in characters.
    void WriteColumnWidth(int firstColumn, int lastColumn, int width);
    void WriteProtect(bool value);
    // The cell format that every cell's format index (always 0) refers to:
    // readers look it up and drop the cells that refer to none. In the
    // layout the readers take the file for: BIFF3 and BIFF4 by their BOF,
    // the others by the BOF's version word, which says 2.x. Meant after the
    // fonts, before the first cell.
    void WriteCellFormat();
    // The code page of the workbook's texts (1252 for what WriteString
    // writes), so that readers decode its labels; meant right after Open.
    void WriteCodePage(std::uint16_t codePage);

    // Cell operations: one record at the cursor with the current formatting,
    // then the cursor moves as MoveAfterEnter says.
    void WriteBlank();
    // 0..65535 as an INTEGER record; any other value as a NUMBER record, so
    // the sheet never shows a wrapped number.
    void WriteInteger(std::int32_t value);
    void WriteNumber(double value);
    // 8-bit text, up to its first zero byte and at most 255 bytes.
    void WriteLabel(const char* text);
    // Text in Windows-1252, up to its first NUL and at most 255 characters.
    void WriteString(const QString& text);
    // Codes 0..8: TRUE, FALSE, #NULL!, #DIV/0!, #VALUE!, #REF!, #NAME?, #NUM!,
    // #N/A. A code above 8 writes nothing and leaves the cursor.
    void WriteBoolErr(std::uint8_t code);
    void WriteBoolean(bool value);
    // Chosen by the variant's whole 16-bit type code: empty a blank, null #NULL!,
    // smallint, integer and byte an integer, single, double and currency a number,
    // date and string kinds a label, boolean TRUE or FALSE, dispatch, error,
    // unknown and any #N/A, variant #VALUE!. Every other code (shortint, word,
    // longword, int64, array and by-reference codes) writes nothing.
    void WriteValue(const TVariant& value);

    // The workbook built so far.
    const QByteArray& buffer() const { return m_stream.bytes(); }

    enum WriterStateKind : std::uint8_t { wsNew = 0, wsOpen = 1, wsClosed = 2 };
    std::uint8_t WriterState() const { return m_writerState; }
    std::uint8_t FontCount() const { return m_fontCount; }
    // Identifier and body length of the last record written.
    std::uint16_t RecordId() const { return m_recordId; }
    std::uint16_t RecordLength() const { return m_recordLength; }

protected:
    // Empties the buffer and writes BOF and DIMENSIONS for the current setting.
    virtual void WriteBOF();
    virtual void WriteEOF();

private:
    int bordersBits() const { return m_borders.bits(); }
    void setBordersBits(int bits) {
        m_borders = TkxExcelBorderSet::fromBits(static_cast<std::uint8_t>(bits));
    }

    // A record written while closed first restarts the workbook.
    void restartIfClosed();
    void writeRecord(biff::Record& record);
    // Starts a cell record: position (then the cursor moves) and attributes.
    biff::Record beginCell(std::uint16_t id);
    void moveCursor();
    void writeTextRecord(std::uint16_t id, const char* text);
    void writeTextRecord(std::uint16_t id, const QString& text);

    biff::RecordStream m_stream;
    TkxBIFFVersion m_biff = bvBIFF5;
    std::uint8_t m_writerState = wsNew;
    std::uint16_t m_recordId = 0;
    std::uint16_t m_recordLength = 0;
    QString m_fileName;
    std::uint16_t m_row = 1;
    std::uint16_t m_column = 1;
    std::uint8_t m_fontCount = 0;
    std::uint8_t m_activeFont = 0;
    TkxMoveAfterEnter m_moveAfterEnter = maRight;
    bool m_shading = false;
    TkxExcelBorderSet m_borders;
    TkxExcelAlignment m_alignment = eaGeneral;
    bool m_hidden = false;
    bool m_locked = true;
};

// The writers and the data-source contract use these names unqualified.
using TkxBIFFVersion = TkxNativeExcel::TkxBIFFVersion;
using TkxMoveAfterEnter = TkxNativeExcel::TkxMoveAfterEnter;
using TkxExcelBorders = TkxNativeExcel::TkxExcelBorders;
using TkxExcelBorderSet = TkxNativeExcel::TkxExcelBorderSet;
using TkxExcelAlignment = TkxNativeExcel::TkxExcelAlignment;
using enum TkxNativeExcel::TkxBIFFVersion;
using enum TkxNativeExcel::TkxMoveAfterEnter;
using enum TkxNativeExcel::TkxExcelBorders;
using enum TkxNativeExcel::TkxExcelAlignment;

} // namespace twl
