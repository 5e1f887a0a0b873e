// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxWriterODS.h"

#include "base/Exceptions.h"
#include "base/FileSaveTemporary.h"
#include "base/RegionalSettings.h"
#include "base/SharedLibrary.h"
#include "base/XmlText.h"
#include "export/writers/kxWriterConst.h"
#include "export/writers/kxWriterGridDates.h"
#include "export/writers/kxWriterUtils.h"

#include <QFile>
#include <charconv>
#include <cstring>
#include <zip.h>

namespace twl {

namespace {

// The archive library's functions, from the library opened with the first
// spreadsheet: a run that writes none maps neither it nor what it brings.
struct ZipLibrary {
    SharedLibrary library{TWL_LIBZIP_LIBRARY};
    TWL_LIBRARY_FUNCTION(library, zip_close);
    TWL_LIBRARY_FUNCTION(library, zip_discard);
    TWL_LIBRARY_FUNCTION(library, zip_file_add);
    TWL_LIBRARY_FUNCTION(library, zip_file_set_mtime);
    TWL_LIBRARY_FUNCTION(library, zip_error_set);
    TWL_LIBRARY_FUNCTION(library, zip_error_to_data);
    TWL_LIBRARY_FUNCTION(library, zip_open_from_source);
    TWL_LIBRARY_FUNCTION(library, zip_set_file_compression);
    TWL_LIBRARY_FUNCTION(library, zip_source_buffer);
    TWL_LIBRARY_FUNCTION(library, zip_source_buffer_create);
    TWL_LIBRARY_FUNCTION(library, zip_source_close);
    TWL_LIBRARY_FUNCTION(library, zip_source_free);
    TWL_LIBRARY_FUNCTION(library, zip_source_function);
    TWL_LIBRARY_FUNCTION(library, zip_source_keep);
    TWL_LIBRARY_FUNCTION(library, zip_source_open);
    TWL_LIBRARY_FUNCTION(library, zip_source_read);
    TWL_LIBRARY_FUNCTION(library, zip_source_stat);
    TWL_LIBRARY_FUNCTION(library, zip_stat_init);
    TWL_LIBRARY_FUNCTION(library, zip_strerror);
};

const ZipLibrary& zipLibrary() {
    return functionTable<ZipLibrary>();
}

constexpr char MimeType[] = "application/vnd.oasis.opendocument.spreadsheet";

constexpr char Namespaces[] =
    " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
    " xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\""
    " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\""
    " xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
    " xmlns:number=\"urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0\""
    " xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\""
    " xmlns:meta=\"urn:oasis:names:tc:opendocument:xmlns:meta:1.0\""
    " xmlns:dc=\"http://purl.org/dc/elements/1.1/\""
    " office:version=\"1.2\"";

// Text as XML character data; line ends and characters XML cannot carry
// become blanks.
void appendEscaped(QByteArray& out, const QString& text) {
    appendXmlEscaped(out, text, true);
}

void appendNumber(QByteArray& out, double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr - buffer);
}

void appendInt(QByteArray& out, long long value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr - buffer);
}

// An entry's time is the program's current time, not the system clock's, so
// that a document made under SOURCE_DATE_EPOCH is the same every time.
void stamp(zip_t* archive, zip_int64_t index) {
    const auto now = static_cast<time_t>(currentDateTime().toSecsSinceEpoch());
    if (zipLibrary().zip_file_set_mtime(archive, static_cast<zip_uint64_t>(index), now, 0) != 0)
        throw Exception(QString::fromUtf8(zipLibrary().zip_strerror(archive)));
}

void addEntry(zip_t* archive, const char* name, const QByteArray& bytes, bool store) {
    zip_source_t* source = zipLibrary().zip_source_buffer(
        archive, bytes.constData(), static_cast<zip_uint64_t>(bytes.size()), 0);
    if (!source) throw Exception(QString::fromUtf8(zipLibrary().zip_strerror(archive)));
    const zip_int64_t index = zipLibrary().zip_file_add(archive, name, source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zipLibrary().zip_source_free(source);
        throw Exception(QString::fromUtf8(zipLibrary().zip_strerror(archive)));
    }
    if (zipLibrary().zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                              store ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0) != 0)
        throw Exception(QString::fromUtf8(zipLibrary().zip_strerror(archive)));
    stamp(archive, index);
}

// content.xml as the archive reads it: its start, the spooled rows (packed
// in blocks, each unpacked as it is read) and its end, made while the
// archive packs them, so that the rows need no room of their own twice.
struct ContentSource {
    QByteArray start;
    TemporaryFile* body = nullptr;
    QByteArray end;
    zip_uint64_t size = 0;
    int part = 0; // 0 start, 1 rows, 2 end, 3 done
    QByteArray current;
    qsizetype at = 0;
    int failure = 0; // the errno of a failed read of the rows
    zip_error_t* error = nullptr;

    // The next piece to hand on; false at the end or on failure.
    bool next() {
        at = 0;
        current.clear();
        while (current.isEmpty() && part < 3) {
            if (part == 0) {
                current = start;
                ++part;
            } else if (part == 1 && !body->atEnd()) {
                quint32 packed = 0;
                if (body->read(reinterpret_cast<char*>(&packed), sizeof packed) != sizeof packed)
                    return fail();
                const QByteArray block = body->read(packed);
                if (block.size() != qsizetype(packed)) return fail();
                current = qUncompress(block);
                if (current.isEmpty()) return fail();
            } else if (part == 1) {
                current = end;
                part = 2;
            } else {
                part = 3;
            }
        }
        return !current.isEmpty();
    }
    bool fail() {
        failure = body->errorCode() ? body->errorCode() : EIO;
        part = 3;
        return false;
    }

    // A command's argument; null where the library passed too little room.
    template <class T> T* argument(void* data, zip_uint64_t length) {
        if (length >= sizeof(T)) return static_cast<T*>(data);
        zipLibrary().zip_error_set(error, ZIP_ER_INVAL, 0);
        return nullptr;
    }

    static zip_int64_t callback(void* state, void* data, zip_uint64_t length,
                                zip_source_cmd_t command) {
        auto& self = *static_cast<ContentSource*>(state);
        switch (command) {
        case ZIP_SOURCE_OPEN:
            self.part = 0;
            self.current.clear();
            self.at = 0;
            return self.body->seek(0) ? 0 : (self.fail(), -1);
        case ZIP_SOURCE_READ: {
            auto* out = static_cast<char*>(data);
            zip_uint64_t done = 0;
            while (done < length) {
                if (self.at == self.current.size() && !self.next()) break;
                const auto n = std::min<zip_uint64_t>(length - done,
                                                      zip_uint64_t(self.current.size() - self.at));
                std::memcpy(out + done, self.current.constData() + self.at, n);
                self.at += qsizetype(n);
                done += n;
            }
            if (self.failure) {
                zipLibrary().zip_error_set(self.error, ZIP_ER_READ, self.failure);
                return -1;
            }
            return zip_int64_t(done);
        }
        case ZIP_SOURCE_CLOSE:
        case ZIP_SOURCE_FREE:
            return 0;
        case ZIP_SOURCE_STAT: {
            auto* st = self.argument<zip_stat_t>(data, length);
            if (!st) return -1;
            zipLibrary().zip_stat_init(st);
            st->valid |= ZIP_STAT_SIZE;
            st->size = self.size;
            return sizeof *st;
        }
        case ZIP_SOURCE_ERROR:
            return zipLibrary().zip_error_to_data(self.error, data, length);
        case ZIP_SOURCE_GET_FILE_ATTRIBUTES: {
            // Those of the private file content.xml was once packed from, so
            // that the document stays the same byte for byte.
            auto* attributes = self.argument<zip_file_attributes_t>(data, length);
            if (!attributes) return -1;
            attributes->valid |=
                ZIP_FILE_ATTRIBUTES_HOST_SYSTEM | ZIP_FILE_ATTRIBUTES_EXTERNAL_FILE_ATTRIBUTES;
            attributes->host_system = ZIP_OPSYS_UNIX;
            attributes->external_file_attributes = 0100600u << 16;
            return 0;
        }
        case ZIP_SOURCE_SUPPORTS:
            return ZIP_SOURCE_SUPPORTS_READABLE |
                   ZIP_SOURCE_MAKE_COMMAND_BITMASK(ZIP_SOURCE_GET_FILE_ATTRIBUTES);
        default:
            zipLibrary().zip_error_set(self.error, ZIP_ER_OPNOTSUPP, 0);
            return -1;
        }
    }
};

void addContentEntry(zip_t* archive, ContentSource& content) {
    zip_source_t* source =
        zipLibrary().zip_source_function(archive, ContentSource::callback, &content);
    if (!source) throw Exception(QString::fromUtf8(zipLibrary().zip_strerror(archive)));
    const zip_int64_t index =
        zipLibrary().zip_file_add(archive, "content.xml", source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zipLibrary().zip_source_free(source);
        throw Exception(QString::fromUtf8(zipLibrary().zip_strerror(archive)));
    }
    // The fastest level: the rows repeat so much that it packs them nearly as well.
    if (zipLibrary().zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                              ZIP_CM_DEFLATE, 1) != 0)
        throw Exception(QString::fromUtf8(zipLibrary().zip_strerror(archive)));
    stamp(archive, index);
}

QByteArray manifest(bool Settings) {
    QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
        "manifest:version=\"1.2\">\n"
        " <manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.2\" "
        "manifest:media-type=\"application/vnd.oasis.opendocument.spreadsheet\"/>\n"
        " <manifest:file-entry manifest:full-path=\"content.xml\" "
        "manifest:media-type=\"text/xml\"/>\n"
        " <manifest:file-entry manifest:full-path=\"styles.xml\" "
        "manifest:media-type=\"text/xml\"/>\n"
        " <manifest:file-entry manifest:full-path=\"meta.xml\" "
        "manifest:media-type=\"text/xml\"/>\n";
    if (Settings)
        xml += " <manifest:file-entry manifest:full-path=\"settings.xml\" "
               "manifest:media-type=\"text/xml\"/>\n";
    xml += "</manifest:manifest>\n";
    return xml;
}

// One view setting of the sheet.
void appendSetting(QByteArray& xml, const char* Name, const char* Type, long long Value) {
    xml += "<config:config-item config:name=\"";
    xml += Name;
    xml += "\" config:type=\"";
    xml += Type;
    xml += "\">";
    appendInt(xml, Value);
    xml += "</config:config-item>\n";
}

// The date style that shows a date as the regional pattern does.
void appendDateStyle(QByteArray& xml, const std::vector<TkxDatePart>& Parts) {
    // The names are English, as the table writes them, whatever the reader's language.
    xml += "<number:date-style style:name=\"D0\" number:language=\"en\" number:country=\"US\">";
    for (const TkxDatePart& part : Parts) {
        const bool isLong = part.width == 2 || part.width == 4;
        const char* style = isLong ? " number:style=\"long\"" : "";
        switch (part.kind) {
        case TkxDatePart::Day:
            xml += QByteArray("<number:day") + style + "/>";
            break;
        case TkxDatePart::DayName:
            xml += QByteArray("<number:day-of-week") + style + "/>";
            break;
        case TkxDatePart::Month:
            xml += QByteArray("<number:month") + style + "/>";
            break;
        case TkxDatePart::MonthName:
            xml += QByteArray("<number:month number:textual=\"true\"") + style + "/>";
            break;
        case TkxDatePart::Year:
            xml += "<number:year number:style=\"long\"/>";
            break;
        case TkxDatePart::Text:
            xml += "<number:text>";
            appendEscaped(xml, part.text);
            xml += "</number:text>";
            break;
        }
    }
    xml += "</number:date-style>\n";
}

// The archive's bytes, which the library wrote into `buffer`.
QByteArray bufferBytes(zip_source_t* buffer) {
    zip_stat_t st;
    zipLibrary().zip_stat_init(&st);
    QByteArray bytes;
    if (zipLibrary().zip_source_stat(buffer, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) ||
        zipLibrary().zip_source_open(buffer) != 0)
        throw Exception(LoadResString(rs::SkxDocumentNotCreated));
    bytes.resize(qsizetype(st.size));
    const zip_int64_t got = zipLibrary().zip_source_read(buffer, bytes.data(), st.size);
    zipLibrary().zip_source_close(buffer);
    if (got != zip_int64_t(st.size)) throw Exception(LoadResString(rs::SkxDocumentNotCreated));
    return bytes;
}

// The package from its parts: a zip whose first entry is the stored mimetype.
QByteArray package(ContentSource& Content, const QByteArray& Styles, const QByteArray& Meta,
                   const QByteArray& Settings) {
    // The archive is made in memory: it needs no room in any folder, and its
    // bytes go to the target through the program's own save.
    zip_error_t error;
    std::memset(&error, 0, sizeof error);
    Content.error = &error;
    zip_source_t* buffer = zipLibrary().zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!buffer) throw Exception(LoadResString(rs::SkxDocumentNotCreated));
    zipLibrary().zip_source_keep(buffer);
    struct BufferRelease {
        zip_source_t* buffer;
        ~BufferRelease() { zipLibrary().zip_source_free(buffer); }
    } release{buffer};
    zip_t* archive = zipLibrary().zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (!archive) throw Exception(LoadResString(rs::SkxDocumentNotCreated));
    // The library reads the parts when the archive closes: they live until then.
    const QByteArray mime(MimeType);
    const QByteArray manifestXml = manifest(!Settings.isEmpty());
    try {
        addEntry(archive, "mimetype", mime, true);
        addContentEntry(archive, Content);
        addEntry(archive, "styles.xml", Styles, false);
        addEntry(archive, "meta.xml", Meta, false);
        if (!Settings.isEmpty()) addEntry(archive, "settings.xml", Settings, false);
        addEntry(archive, "META-INF/manifest.xml", manifestXml, false);
    } catch (...) {
        zipLibrary().zip_discard(archive);
        throw;
    }
    if (zipLibrary().zip_close(archive) != 0) {
        const QString reason = QString::fromUtf8(zipLibrary().zip_strerror(archive));
        zipLibrary().zip_discard(archive);
        // The rows could not be read back from the temporary folder.
        if (Content.failure)
            throw ETemporarySpaceError(QFile::decodeName(temporaryFolder()), Content.failure);
        throw Exception(reason);
    }
    return bufferBytes(buffer);
}

} // namespace

TkxODSWriter::~TkxODSWriter() = default;

void TkxODSWriter::BeginDocument(const QString& Title) {
    m_title = Title;
    m_rows.clear();
    // The rows wait in a file, packed, so a long table costs no more memory
    // than a short one and about the document's size in the temporary folder.
    m_body = std::make_unique<TemporaryFile>();
    if (!m_body->open()) throw Exception(m_body->errorString());
    m_bodySize = 0;
    m_decimals.clear();
    m_scientific.clear();
    m_hasDates = false;
    m_rowCount = 0;
    m_frozenRows = 0;
}

void TkxODSWriter::TextLine(const QString& Line) {
    countRow();
    m_rows += "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>";
    appendEscaped(m_rows, Line);
    m_rows += "</text:p></table:table-cell></table:table-row>\n";
    spoolRows(false);
}

void TkxODSWriter::BlankLine() {
    countRow();
    m_rows += "<table:table-row><table:table-cell/></table:table-row>\n";
}

void TkxODSWriter::TableRow(const std::vector<TkxGridCell>& Cells, bool IsHeader) {
    // The caption row stays in view while the table scrolls.
    if (IsHeader) m_frozenRows = m_rowCount + 1;
    countRow();
    m_rows += "<table:table-row>";
    for (std::size_t i = 0; i < Cells.size(); ++i) {
        const TkxGridCell& cell = Cells[i];
        if (cell.IsNumber) {
            (cell.Scientific ? m_scientific : m_decimals).insert(cell.Decimals);
            m_rows += cell.Scientific ? "<table:table-cell table:style-name=\"cs"
                                      : "<table:table-cell table:style-name=\"ce";
            appendInt(m_rows, cell.Decimals);
            m_rows += "\" office:value-type=\"float\" office:value=\"";
            appendNumber(m_rows, cell.Value);
            m_rows += "\">";
        } else if (cell.IsDate && cell.Date.year() >= 1 && cell.Date.year() <= 9999) {
            m_hasDates = true;
            m_rows += "<table:table-cell table:style-name=\"da\" office:value-type=\"date\" "
                      "office:date-value=\"";
            m_rows += cell.Date.toString(Qt::ISODate).toLatin1();
            m_rows += "\">";
        } else if (cell.Text.isEmpty()) {
            m_rows += "<table:table-cell/>";
            continue;
        } else {
            m_rows += IsHeader ? "<table:table-cell table:style-name=\"hd\" "
                                 "office:value-type=\"string\">"
                               : "<table:table-cell office:value-type=\"string\">";
        }
        m_rows += "<text:p>";
        appendEscaped(m_rows, cell.Text);
        m_rows += "</text:p></table:table-cell>";
    }
    m_rows += "</table:table-row>\n";
    spoolRows(false);
}

void TkxODSWriter::countRow() {
    // The spreadsheets that read this format keep this many rows and drop
    // the rest without a word: a longer table is refused whole instead.
    constexpr int MaxSheetRows = 1048576;
    if (++m_rowCount > MaxSheetRows) throw Exception(kxSheetFullMessage(MaxSheetRows, xtCSV));
}

void TkxODSWriter::spoolRows(bool All) {
    constexpr qsizetype Chunk = 1 << 20;
    if (m_rows.isEmpty() || (!All && m_rows.size() < Chunk)) return;
    const QByteArray packed = qCompress(m_rows, 1);
    const auto size = quint32(packed.size());
    if (m_body->write(reinterpret_cast<const char*>(&size), sizeof size) != sizeof size ||
        m_body->write(packed) != packed.size() || (All && !m_body->flush()))
        throw Exception(m_body->errorString());
    m_bodySize += m_rows.size();
    m_rows.clear();
}

QByteArray TkxODSWriter::contentStart() const {
    const std::vector<int>& widths = ColumnChars();
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-content";
    xml += Namespaces;
    xml += ">\n<office:automatic-styles>\n";
    for (std::size_t i = 0; i < widths.size(); ++i) {
        xml += "<style:style style:name=\"co";
        appendInt(xml, static_cast<long long>(i));
        xml += "\" style:family=\"table-column\"><style:table-column-properties "
               "style:column-width=\"";
        // About a fifth of a centimetre per character, with room for the margins.
        appendNumber(xml, 0.2 * (widths[i] + 2));
        xml += "cm\"/></style:style>\n";
    }
    for (int decimals : m_decimals) {
        xml += "<number:number-style style:name=\"N";
        appendInt(xml, decimals);
        xml += "\"><number:number number:decimal-places=\"";
        appendInt(xml, decimals);
        xml += "\" number:min-decimal-places=\"";
        appendInt(xml, decimals);
        xml += "\" number:min-integer-digits=\"1\"/></number:number-style>\n";
        xml += "<style:style style:name=\"ce";
        appendInt(xml, decimals);
        xml += "\" style:family=\"table-cell\" style:data-style-name=\"N";
        appendInt(xml, decimals);
        xml += "\"><style:paragraph-properties fo:text-align=\"end\"/></style:style>\n";
    }
    for (int decimals : m_scientific) {
        xml += "<number:number-style style:name=\"S";
        appendInt(xml, decimals);
        xml += "\"><number:scientific-number number:decimal-places=\"";
        appendInt(xml, decimals);
        xml += "\" number:min-integer-digits=\"1\" number:min-exponent-digits=\"2\"/>"
               "</number:number-style>\n<style:style style:name=\"cs";
        appendInt(xml, decimals);
        xml += "\" style:family=\"table-cell\" style:data-style-name=\"S";
        appendInt(xml, decimals);
        xml += "\"><style:paragraph-properties fo:text-align=\"end\"/></style:style>\n";
    }
    if (m_hasDates) {
        appendDateStyle(xml, kxDateParts(regionalSettings().shortDateFormat));
        xml += "<style:style style:name=\"da\" style:family=\"table-cell\" "
               "style:data-style-name=\"D0\"/>\n";
    }
    xml += "<style:style style:name=\"hd\" style:family=\"table-cell\">"
           "<style:text-properties fo:font-weight=\"bold\"/></style:style>\n";
    xml += "</office:automatic-styles>\n<office:body><office:spreadsheet>\n<table:table "
           "table:name=\"";
    appendEscaped(xml, sheetName());
    xml += "\">\n";
    for (std::size_t i = 0; i < widths.size(); ++i) {
        xml += "<table:table-column table:style-name=\"co";
        appendInt(xml, static_cast<long long>(i));
        xml += "\"/>\n";
    }
    if (widths.empty()) xml += "<table:table-column/>\n";
    return xml;
}

QString TkxODSWriter::sheetName() const {
    // Spreadsheets refuse these characters in a sheet's name.
    QString name = m_title.left(31);
    for (QChar& c : name) {
        if (QStringView(u"[]*?:/\\").contains(c)) c = QLatin1Char(' ');
    }
    if (name.trimmed().isEmpty()) name = QStringLiteral("Sheet1");
    return name;
}

QByteArray TkxODSWriter::settingsXml() const {
    if (m_frozenRows == 0) return {};
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-settings"
                     " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
                     " xmlns:config=\"urn:oasis:names:tc:opendocument:xmlns:config:1.0\""
                     " office:version=\"1.2\"><office:settings>\n"
                     "<config:config-item-set config:name=\"ooo:view-settings\">\n"
                     "<config:config-item-map-indexed config:name=\"Views\">\n"
                     "<config:config-item-map-entry>\n"
                     "<config:config-item config:name=\"ViewId\" config:type=\"string\">view1"
                     "</config:config-item>\n"
                     "<config:config-item-map-named config:name=\"Tables\">\n"
                     "<config:config-item-map-entry config:name=\"";
    appendEscaped(xml, sheetName());
    xml += "\">\n";
    // Split mode 2 freezes the rows above the split.
    appendSetting(xml, "HorizontalSplitMode", "short", 0);
    appendSetting(xml, "VerticalSplitMode", "short", 2);
    appendSetting(xml, "HorizontalSplitPosition", "int", 0);
    appendSetting(xml, "VerticalSplitPosition", "int", m_frozenRows);
    appendSetting(xml, "ActiveSplitRange", "short", 2);
    appendSetting(xml, "PositionLeft", "int", 0);
    appendSetting(xml, "PositionRight", "int", 0);
    appendSetting(xml, "PositionTop", "int", 0);
    appendSetting(xml, "PositionBottom", "int", m_frozenRows);
    xml += "</config:config-item-map-entry>\n</config:config-item-map-named>\n"
           "<config:config-item config:name=\"ActiveTable\" config:type=\"string\">";
    appendEscaped(xml, sheetName());
    xml += "</config:config-item>\n</config:config-item-map-entry>\n"
           "</config:config-item-map-indexed>\n</config:config-item-set>\n"
           "</office:settings></office:document-settings>\n";
    return xml;
}

QByteArray TkxODSWriter::metaXml() const {
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-meta";
    xml += Namespaces;
    xml += "><office:meta><dc:title>";
    appendEscaped(xml, m_title);
    xml += "</dc:title><meta:generator>TWL-Calculator</meta:generator></office:meta>"
           "</office:document-meta>\n";
    return xml;
}

QByteArray TkxODSWriter::EndDocument() {
    QByteArray styles = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-styles";
    styles += Namespaces;
    styles += "><office:styles/></office:document-styles>\n";
    spoolRows(true);
    // content.xml: its start (the styles the rows turned out to need), the
    // rows, its end.
    ContentSource content;
    content.start = contentStart();
    content.body = m_body.get();
    content.end = "</table:table>\n</office:spreadsheet></office:body></office:document-content>\n";
    content.size = zip_uint64_t(content.start.size() + m_bodySize + content.end.size());
    QByteArray bytes = package(content, styles, metaXml(), settingsXml());
    m_body.reset();
    return bytes;
}

} // namespace twl
