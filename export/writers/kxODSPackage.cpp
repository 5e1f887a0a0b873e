// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxODSPackage.h"

#include "base/Exceptions.h"
#include "base/FileSaveTemporary.h"
#include "base/RegionalSettings.h"
#include "base/SharedLibrary.h"
#include "export/writers/kxPackedPart.h"
#include "export/writers/kxWriterConst.h"

#include <QFile>
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

// content.xml as the archive reads it: packed already (its start, the rows
// from the temporary file, its end), so the archive enters the bytes as they
// are, with the sizes and CRC the packing gave.
struct ContentSource {
    TkxPackedPart* part = nullptr;
    int piece = 0; // 0 start, 1 rows, 2 end, 3 done
    QByteArray current;
    qsizetype at = 0;
    int failure = 0; // the errno of a failed read of the rows
    zip_error_t* error = nullptr;

    // The next piece to hand on; false at the end or on failure.
    bool next() {
        constexpr qint64 Block = 1 << 20;
        at = 0;
        current.clear();
        while (current.isEmpty() && piece < 3) {
            if (piece == 0) {
                current = part->packedHead();
                ++piece;
            } else if (piece == 1 && !part->packedMiddle().atEnd()) {
                current = part->packedMiddle().read(Block);
                if (current.isEmpty()) return fail();
            } else if (piece == 1) {
                current = part->packedTail();
                piece = 2;
            } else {
                piece = 3;
            }
        }
        return !current.isEmpty();
    }
    bool fail() {
        const int code = part->packedMiddle().errorCode();
        failure = code ? code : EIO;
        piece = 3;
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
            self.piece = 0;
            self.current.clear();
            self.at = 0;
            return self.part->packedMiddle().seek(0) ? 0 : (self.fail(), -1);
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
            st->valid |= ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC;
            st->size = self.part->size();
            st->comp_size = self.part->packedSize();
            st->comp_method = ZIP_CM_DEFLATE;
            st->crc = self.part->crc();
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
    // Its compression left to the source, which is packed already.
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

QByteArray kxODSPackage(const TkxODSParts& Parts) {
    ContentSource content;
    content.part = Parts.content;
    return package(content, Parts.styles, Parts.meta, Parts.settings);
}

} // namespace twl
