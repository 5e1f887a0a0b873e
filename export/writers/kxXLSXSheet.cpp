// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxXLSXSheet.h"

#include "base/Significant16.h"

#include "base/Exceptions.h"
#include "export/writers/kxTextRoom.h"
#include "export/writers/kxWriterConst.h"
#include "export/writers/kxWriterUtils.h"
#include "export/writers/kxZipArchive.h"

#include <charconv>
#include <list>
#include <vector>

namespace twl {

namespace {

constexpr char SheetName[] = "xl/worksheets/sheet1.xml";
// The library's sheet data when it was given an extent but no rows.
constexpr char EmptyData[] = "<sheetData></sheetData>";
constexpr qsizetype DataStart = sizeof "<sheetData>" - 1;
// Texts longer than this many characters are refused, as the library refuses them.
constexpr qsizetype MaxTextChars = 32767;

// A cell's reference, its column's letters, then its row from 1; at most
// 10 characters.
void putReference(TkxTextRoom& Room, std::uint16_t Column, std::uint32_t Row) {
    char letters[4];
    int n = 0;
    for (unsigned c = Column + 1u; c > 0; c = (c - 1) / 26)
        letters[n++] = char('A' + (c - 1) % 26);
    while (n > 0)
        Room.put(letters[--n]);
    Room.integer(Row + 1ll);
}

// The value as the library prints it ("%.16G" in the C locale), whatever
// the user's locale; at most 32 characters.
void putValue(TkxTextRoom& Room, double Value) {
    Room.at() = putSignificant16(Room.at(), Value);
}

// Room for a cell's tags, reference and style (a row's start as well).
constexpr qsizetype CellRoom = 80;

bool isCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Text as the library writes a cell's: control characters other than tab
// and line feed as _xHHHH_, then &, < and > as entities.
QByteArray escapedText(const QByteArray& Utf8) {
    QByteArray out;
    out.reserve(Utf8.size() + 16);
    for (const char c : Utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 && c != '\t' && c != '\n') {
            static const char Hex[] = "0123456789ABCDEF";
            out += "_x00";
            out += Hex[u >> 4];
            out += Hex[u & 15];
            out += '_';
        } else if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else {
            out += c;
        }
    }
    return out;
}

qsizetype utf8Characters(const QByteArray& Utf8) {
    qsizetype n = 0;
    for (const char c : Utf8)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

} // namespace

void TkxXLSXSheetRows::beginRow(std::uint32_t Row) {
    m_row = Row;
    m_rowOpen = false;
}

void TkxXLSXSheetRows::cellStart(TkxTextRoom& Room, std::uint16_t Column, int Style) {
    if (!m_rowOpen) {
        Room.put("<row r=\"");
        Room.integer(m_row + 1ll);
        Room.put("\">");
        m_rowOpen = true;
    }
    m_firstRow = std::min(m_firstRow, m_row);
    m_lastRow = std::max(m_lastRow, m_row);
    m_firstColumn = std::min(m_firstColumn, Column);
    m_lastColumn = std::max(m_lastColumn, Column);
    Room.put("<c r=\"");
    putReference(Room, Column, m_row);
    if (Style != 0) {
        Room.put("\" s=\"");
        Room.integer(Style);
    }
    Room.put('"');
}

void TkxXLSXSheetRows::number(std::uint16_t Column, double Value, int Style) {
    TkxTextRoom room(m_rows, CellRoom + 48);
    cellStart(room, Column, Style);
    room.put("><v>");
    putValue(room, Value);
    room.put("</v></c>");
}

bool TkxXLSXSheetRows::text(std::uint16_t Column, const QString& Text, int Style) {
    // The library writes an empty text with a format as a blank cell.
    if (Text.isEmpty()) {
        blank(Column, Style);
        return true;
    }
    static constexpr AsciiSet Markup(u"&<>");
    // Nearly every cell is printable ASCII without markup or blanks at its
    // ends: its own bytes.
    if (IsPrintableAscii(Text) && !Markup.foundIn(Text) && !Text.startsWith(u' ') &&
        !Text.endsWith(u' ')) {
        if (Text.size() > MaxTextChars) return false;
        TkxTextRoom room(m_rows, CellRoom + 64 + Text.size());
        cellStart(room, Column, Style);
        room.put(" t=\"inlineStr\"><is><t>");
        room.ascii(Text);
        room.put("</t></is></c>");
        return true;
    }
    const QByteArray utf8 = Text.toUtf8();
    if (utf8Characters(utf8) > MaxTextChars) return false;
    const QByteArray escaped = escapedText(utf8);
    TkxTextRoom room(m_rows, CellRoom + 64 + escaped.size());
    cellStart(room, Column, Style);
    // Blanks at either end are kept only where the text says so.
    if (isCSpace(escaped.front()) || isCSpace(escaped.back()))
        room.put(" t=\"inlineStr\"><is><t xml:space=\"preserve\">");
    else
        room.put(" t=\"inlineStr\"><is><t>");
    room.put(escaped);
    room.put("</t></is></c>");
    return true;
}

void TkxXLSXSheetRows::blank(std::uint16_t Column, int Style) {
    TkxTextRoom room(m_rows, CellRoom);
    cellStart(room, Column, Style);
    room.put("/>");
}

void TkxXLSXSheetRows::endRow() {
    if (m_rowOpen) m_rows += "</row>";
    m_rowOpen = false;
    spool();
}

void TkxXLSXSheetRows::spool() {
    if (m_rows.size() < (1 << 20)) return;
    m_part.write(m_rows);
    // Kept at its size: the next rows fill the same room.
    m_rows.resize(0);
}

QByteArray TkxXLSXSheetRows::package(const QByteArray& LibraryFile) {
    m_part.write(m_rows);
    m_rows.clear();
    int error = 0;
    zip_t* library = zipLibrary().zip_open(LibraryFile.constData(), ZIP_RDONLY, &error);
    if (!library) throw Exception(LoadResString(rs::SkxDocumentNotCreated));
    struct Discard {
        zip_t* archive;
        ~Discard() { zipLibrary().zip_discard(archive); }
    } discard{library};
    // Every part as the library wrote it, in its order and with its date.
    struct Part {
        QByteArray name;
        QByteArray bytes;
        time_t time = 0;
    };
    std::list<Part> parts;
    const zip_int64_t count = zipLibrary().zip_get_num_entries(library, 0);
    bool sheetFound = false;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zipLibrary().zip_stat_init(&st);
        if (zipLibrary().zip_stat_index(library, zip_uint64_t(i), 0, &st) != 0) kxZipFail(library);
        Part& part = parts.emplace_back();
        part.name = st.name;
        part.time = st.mtime;
        zip_file_t* file = zipLibrary().zip_fopen_index(library, zip_uint64_t(i), 0);
        if (!file) kxZipFail(library);
        part.bytes.resize(qsizetype(st.size));
        const zip_int64_t got = zipLibrary().zip_fread(file, part.bytes.data(), st.size);
        zipLibrary().zip_fclose(file);
        if (got != zip_int64_t(st.size)) kxZipFail(library);
        if (part.name != SheetName) continue;
        // The rows go into the sheet's data; without rows it is as written.
        const qsizetype at = part.bytes.indexOf(EmptyData);
        if (at < 0 && hasCells()) throw Exception(LoadResString(rs::SkxDocumentNotCreated));
        const qsizetype split = at < 0 ? part.bytes.size() : at + DataStart;
        m_part.finish(part.bytes.left(split), part.bytes.mid(split));
        sheetFound = true;
    }
    if (!sheetFound) throw Exception(LoadResString(rs::SkxDocumentNotCreated));
    TkxPackedSource sheet(m_part);
    return kxZipInMemory(sheet, [&](zip_t* archive) {
        for (const Part& part : parts) {
            if (part.name == SheetName)
                sheet.add(archive, SheetName, part.time);
            else
                kxZipAddBuffer(archive, part.name.constData(), part.bytes, false, part.time);
        }
    });
}

} // namespace twl
