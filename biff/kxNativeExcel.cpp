// SPDX-License-Identifier: GPL-3.0-or-later
#include "biff/kxNativeExcel.h"

#include "base/FileSave.h"
#include "base/Font.h"
#include "base/RegionalSettings.h"
#include "base/Variant.h"

#include <algorithm>
#include <cstdlib>

namespace twl {

using biff::Record;

TkxNativeExcel::TkxNativeExcel(QObject* owner)
    : QObject(owner) {
    WriteBOF();
}

TkxNativeExcel::~TkxNativeExcel() = default;

// --- Properties ---------------------------------------------------------------

void TkxNativeExcel::setActiveFont(int value) {
    if (value != m_activeFont && value >= 0 && value <= m_fontCount)
        m_activeFont = static_cast<std::uint8_t>(value);
}

void TkxNativeExcel::setAlignment(TkxExcelAlignment value) {
    if (value <= eaMultiPlan) m_alignment = value;
}

void TkxNativeExcel::setBIFF(TkxBIFFVersion value) {
    if (value == m_biff || value > bvBIFF5) return;
    m_biff = value;
    WriteBOF();
}

void TkxNativeExcel::setMoveAfterEnter(TkxMoveAfterEnter value) {
    if (value <= maRight) m_moveAfterEnter = value;
}

void TkxNativeExcel::setFileName(const QString& value) {
    if (value == m_fileName) return;
    static const QString Extension = QStringLiteral(".XLS");
    // The extension starts at the last dot of the last path component.
    const qsizetype dot = value.lastIndexOf(QLatin1Char('.'));
    const bool hasExtension = dot >= 0 && dot > value.lastIndexOf(QLatin1Char('/'));
    if (hasExtension && QStringView(value).mid(dot).compare(Extension, Qt::CaseInsensitive) == 0)
        m_fileName = value;
    else
        m_fileName = (hasExtension ? value.left(dot) : value) + Extension;
}

void TkxNativeExcel::setRow(int value) {
    if (value != m_row && value >= 1 && value <= biff::LastRow)
        m_row = static_cast<std::uint16_t>(value);
}

void TkxNativeExcel::setColumn(int value) {
    if (value != m_column && value >= 1 && value <= biff::LastColumn)
        m_column = static_cast<std::uint16_t>(value);
}

QString TkxNativeExcel::Version() const {
    return QStringLiteral("%1.%2")
        .arg((biff::VersionNumber >> 8) & 0xFF)
        .arg(biff::VersionNumber & 0xFF);
}

// --- Workbook -----------------------------------------------------------------

void TkxNativeExcel::WriteBOF() {
    m_writerState = wsOpen;
    m_fontCount = 0;
    m_stream.clear();

    static constexpr std::uint16_t BofIds[] = {biff::rec::Bof2, biff::rec::Bof3, biff::rec::Bof4,
                                               biff::rec::Bof5};
    const bool oldest = m_biff == bvBIFF2;
    Record bof(BofIds[m_biff]);
    bof.u16(biff::BofVersionWord);
    bof.u16(biff::BofWorksheet);
    if (!oldest) bof.u16(0);
    writeRecord(bof);

    // Fixed extent, whatever cells follow.
    Record dimensions(oldest ? biff::rec::Dimensions2 : biff::rec::Dimensions3);
    dimensions.u16(biff::FirstRow);
    dimensions.u16(biff::LastRow);
    dimensions.u16(biff::FirstColumn);
    dimensions.u16(biff::LastColumn);
    if (!oldest) dimensions.u16(0);
    writeRecord(dimensions);
}

void TkxNativeExcel::WriteEOF() {
    Record eof(biff::rec::Eof);
    writeRecord(eof);
    m_writerState = wsClosed;
}

void TkxNativeExcel::Open() {
    WriteBOF();
}

void TkxNativeExcel::Close() {
    WriteEOF();
}

void TkxNativeExcel::SaveToFile() {
    saveFileAtomically(m_fileName, m_stream.bytes());
}

void TkxNativeExcel::restartIfClosed() {
    if (m_writerState == wsClosed) WriteBOF();
}

void TkxNativeExcel::writeRecord(Record& record) {
    restartIfClosed();
    m_recordId = record.id();
    m_recordLength = record.bodyLength();
    m_stream.append(record);
}

void TkxNativeExcel::WriteFont(const TFont* font) {
    if (!font) return;
    // Restart before counting, so FontCount always matches the fonts in the buffer.
    restartIfClosed();
    if (m_fontCount >= biff::MaxFonts) return;
    ++m_fontCount;
    // A positive font height is a cell height: its size comes out negative.
    const long long twips =
        std::min(std::llabs(static_cast<long long>(font->Size())) * 20, 0xFFFFLL);
    std::uint16_t flags = 0;
    if (font->Bold()) flags |= 0x0001;
    if (font->Italic()) flags |= 0x0002;
    if (font->Underline()) flags |= 0x0004;
    if (font->StrikeOut()) flags |= 0x0008;
    Record r(biff::rec::Font);
    r.u16(static_cast<std::uint16_t>(twips));
    r.u16(flags);
    r.shortText(font->Name());
    writeRecord(r);
}

void TkxNativeExcel::writeTextRecord(std::uint16_t id, const char* text) {
    Record r(id);
    r.shortText(text);
    writeRecord(r);
}

void TkxNativeExcel::writeTextRecord(std::uint16_t id, const QString& text) {
    Record r(id);
    r.shortText(QStringView(text));
    writeRecord(r);
}

void TkxNativeExcel::WriteHeader(const char* text) {
    writeTextRecord(biff::rec::Header, text);
}

void TkxNativeExcel::WriteHeader(const QString& text) {
    writeTextRecord(biff::rec::Header, text);
}

void TkxNativeExcel::WriteFooter(const char* text) {
    writeTextRecord(biff::rec::Footer, text);
}

void TkxNativeExcel::WriteFooter(const QString& text) {
    writeTextRecord(biff::rec::Footer, text);
}

void TkxNativeExcel::WriteMargin(int side, double value) {
    static constexpr std::uint16_t Ids[] = {biff::rec::LeftMargin, biff::rec::RightMargin,
                                            biff::rec::TopMargin, biff::rec::BottomMargin};
    if (side < 0 || side > 3) return;
    Record r(Ids[side]);
    r.f64(value); // inches, as the format keeps them
    writeRecord(r);
}

void TkxNativeExcel::WriteLeftMargin(double value) {
    WriteMargin(0, value);
}

void TkxNativeExcel::WriteRightMargin(double value) {
    WriteMargin(1, value);
}

void TkxNativeExcel::WriteTopMargin(double value) {
    WriteMargin(2, value);
}

void TkxNativeExcel::WriteBottomMargin(double value) {
    WriteMargin(3, value);
}

void TkxNativeExcel::WriteColumnWidth(int firstColumn, int lastColumn, int width) {
    // Unsigned arithmetic: the format keeps only the low bits.
    Record r(biff::rec::ColWidth);
    r.u8(static_cast<std::uint8_t>(static_cast<unsigned>(firstColumn) - 1u));
    r.u8(static_cast<std::uint8_t>(static_cast<unsigned>(lastColumn) - 1u));
    r.u16(static_cast<std::uint16_t>(static_cast<unsigned>(width) * 256u));
    writeRecord(r);
}

void TkxNativeExcel::WriteCodePage(std::uint16_t codePage) {
    Record r(biff::rec::CodePage);
    r.u16(codePage);
    writeRecord(r);
}

void TkxNativeExcel::WriteCellFormat() {
    // Font 0, number format 0 (general), locked, general alignment, no
    // borders: what the cells' own attribute bytes say by default.
    if (m_biff == bvBIFF3) {
        Record r(biff::rec::Xf3);
        r.u8(0);    // font
        r.u8(0);    // number format
        r.u8(0x01); // locked; a cell format, not a style
        r.u8(0);    // no attribute of its own over its parent's
        r.u16(0);   // general alignment, parent format 0
        r.u16(0);   // no background
        r.u16(0);   // no borders...
        r.u16(0);
        writeRecord(r);
    } else if (m_biff == bvBIFF4) {
        Record r(biff::rec::Xf4);
        r.u8(0);       // font
        r.u8(0);       // number format
        r.u16(0x0001); // locked; a cell format with parent format 0
        r.u8(0);       // general alignment
        r.u8(0);       // no attribute of its own over its parent's
        r.u16(0);      // no background
        r.u16(0);      // no borders...
        r.u16(0);
        writeRecord(r);
    } else {
        Record r(biff::rec::Xf2);
        r.u8(0);    // font
        r.u8(0);    // unused
        r.u8(0x40); // number format 0, locked
        r.u8(0);    // general alignment, no borders, no shading
        writeRecord(r);
    }
}

void TkxNativeExcel::WriteProtect(bool value) {
    Record r(biff::rec::Protect);
    r.u16(value ? 1 : 0);
    writeRecord(r);
}

// --- Cells --------------------------------------------------------------------

void TkxNativeExcel::moveCursor() {
    using biff::LastColumn;
    using biff::LastRow;
    switch (m_moveAfterEnter) {
    case maNone:
        break;
    case maUp:
        if (m_row > 1) {
            --m_row;
        } else if (m_column > 1) {
            m_row = LastRow;
            --m_column;
        }
        break;
    case maDown:
        if (m_row < LastRow) {
            ++m_row;
        } else if (m_column < LastColumn) {
            m_row = 1;
            ++m_column;
        }
        break;
    case maLeft:
        if (m_column > 1) {
            --m_column;
        } else if (m_row > 1) {
            m_column = LastColumn;
            --m_row;
        }
        break;
    case maRight:
        if (m_column < LastColumn) {
            ++m_column;
        } else if (m_row < LastRow) {
            m_column = 1;
            ++m_row;
        }
        break;
    }
}

Record TkxNativeExcel::beginCell(std::uint16_t id) {
    Record r(id);
    // The file's rows and columns are 0-based.
    r.u16(static_cast<std::uint16_t>(m_row - 1));
    r.u16(static_cast<std::uint16_t>(m_column - 1));
    moveCursor();

    std::uint8_t protection = 0;
    if (m_locked) protection |= 0x40;
    if (m_hidden) protection |= 0x80;
    // Two font bits: a fifth font cannot be addressed and falls back to font 0.
    const std::uint8_t font =
        m_activeFont < biff::MaxFonts ? static_cast<std::uint8_t>(m_activeFont << 6) : 0;
    std::uint8_t layout = biff::AlignmentCodes[m_alignment];
    if (m_borders.contains(ebLeft)) layout |= 0x08;
    if (m_borders.contains(ebRight)) layout |= 0x10;
    if (m_borders.contains(ebTop)) layout |= 0x20;
    if (m_borders.contains(ebBottom)) layout |= 0x40;
    if (m_shading) layout |= 0x80;
    r.u8(protection);
    r.u8(font);
    r.u8(layout);
    return r;
}

void TkxNativeExcel::WriteBlank() {
    Record r = beginCell(biff::rec::Blank);
    writeRecord(r);
}

void TkxNativeExcel::WriteInteger(std::int32_t value) {
    // The INTEGER record holds 0..65535 only; anything else would be stored
    // as a different number.
    if (value < 0 || value > 0xFFFF) {
        WriteNumber(static_cast<double>(value));
        return;
    }
    Record r = beginCell(biff::rec::Integer);
    r.u16(static_cast<std::uint16_t>(value));
    writeRecord(r);
}

void TkxNativeExcel::WriteNumber(double value) {
    Record r = beginCell(biff::rec::Number);
    r.f64(value);
    writeRecord(r);
}

void TkxNativeExcel::WriteLabel(const char* text) {
    Record r = beginCell(biff::rec::Label);
    r.shortText(text);
    writeRecord(r);
}

void TkxNativeExcel::WriteString(const QString& text) {
    Record r = beginCell(biff::rec::Label);
    r.shortText(QStringView(text));
    writeRecord(r);
}

void TkxNativeExcel::WriteBoolErr(std::uint8_t code) {
    if (code >= biff::BoolErrTable.size()) return;
    Record r = beginCell(biff::rec::BoolErr);
    r.u8(biff::BoolErrTable[code].value);
    r.u8(biff::BoolErrTable[code].kind);
    writeRecord(r);
}

void TkxNativeExcel::WriteBoolean(bool value) {
    WriteBoolErr(value ? biff::BoolErrTrue : biff::BoolErrFalse);
}

void TkxNativeExcel::WriteValue(const TVariant& value) {
    // The whole type word is compared: array and by-reference codes match nothing.
    switch (value.type()) {
    case varEmpty:
        WriteBlank();
        break;
    case varNull:
        WriteBoolErr(biff::BoolErrNull);
        break;
    case varSmallint:
    case varInteger:
    case varByte:
        WriteInteger(value.toInt());
        break;
    case varSingle:
    case varDouble:
    case varCurrency:
        WriteNumber(value.toDouble());
        break;
    case varDate:
        WriteString(DateTimeToStr(value.toDateTime()));
        break;
    case varOleStr:
    case varStrArg:
    case varString:
        WriteString(value.toString());
        break;
    case varDispatch:
    case varError:
    case varAny:
    case varUnknown:
        WriteBoolErr(biff::BoolErrNA);
        break;
    case varBoolean:
        WriteBoolean(value.toBool());
        break;
    case varVariant:
        WriteBoolErr(biff::BoolErrValue);
        break;
    default:
        break;
    }
}

} // namespace twl
