// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxZipArchive.h"

#include "base/Exceptions.h"
#include "base/FileSaveTemporary.h"
#include "export/writers/kxPackedPart.h"
#include "export/writers/kxWriterConst.h"

#include <QFile>
#include <cerrno>
#include <cstring>

namespace twl {

const ZipLibrary& zipLibrary() {
    return functionTable<ZipLibrary>();
}

void kxZipFail(zip_t* Archive) {
    throw Exception(QString::fromUtf8(zipLibrary().zip_strerror(Archive)));
}

namespace {

void date(zip_t* Archive, zip_int64_t Index, time_t Time) {
    if (zipLibrary().zip_file_set_mtime(Archive, static_cast<zip_uint64_t>(Index), Time, 0) != 0)
        kxZipFail(Archive);
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

} // namespace

void kxZipAddBuffer(zip_t* Archive, const char* Name, const QByteArray& Bytes, bool Store,
                    time_t Time) {
    zip_source_t* source = zipLibrary().zip_source_buffer(
        Archive, Bytes.constData(), static_cast<zip_uint64_t>(Bytes.size()), 0);
    if (!source) kxZipFail(Archive);
    const zip_int64_t index = zipLibrary().zip_file_add(Archive, Name, source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zipLibrary().zip_source_free(source);
        kxZipFail(Archive);
    }
    if (zipLibrary().zip_set_file_compression(Archive, static_cast<zip_uint64_t>(index),
                                              Store ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0) != 0)
        kxZipFail(Archive);
    date(Archive, index, Time);
}

void TkxPackedSource::add(zip_t* Archive, const char* Name, time_t Time) {
    zip_source_t* source = zipLibrary().zip_source_function(Archive, callback, this);
    if (!source) kxZipFail(Archive);
    const zip_int64_t index = zipLibrary().zip_file_add(Archive, Name, source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zipLibrary().zip_source_free(source);
        kxZipFail(Archive);
    }
    // Its compression left to the source, which is packed already.
    date(Archive, index, Time);
}

// The next piece to hand on; false at the end or on failure.
bool TkxPackedSource::next() {
    constexpr qint64 Block = 1 << 20;
    m_at = 0;
    m_current.clear();
    while (m_current.isEmpty() && m_piece < 3) {
        if (m_piece == 0) {
            m_current = m_part.packedHead();
            ++m_piece;
        } else if (m_piece == 1 && !m_part.packedMiddle().atEnd()) {
            m_current = m_part.packedMiddle().read(Block);
            if (m_current.isEmpty()) return fail();
        } else if (m_piece == 1) {
            m_current = m_part.packedTail();
            m_piece = 2;
        } else {
            m_piece = 3;
        }
    }
    return !m_current.isEmpty();
}

bool TkxPackedSource::fail() {
    const int code = m_part.packedMiddle().errorCode();
    m_failure = code ? code : EIO;
    m_piece = 3;
    return false;
}

// A command's argument; null where the library passed too little room.
template <class T> T* TkxPackedSource::argument(void* Data, zip_uint64_t Length) {
    if (Length >= sizeof(T)) return static_cast<T*>(Data);
    zipLibrary().zip_error_set(m_error, ZIP_ER_INVAL, 0);
    return nullptr;
}

zip_int64_t TkxPackedSource::callback(void* State, void* Data, zip_uint64_t Length,
                                      zip_source_cmd_t Command) {
    auto& self = *static_cast<TkxPackedSource*>(State);
    switch (Command) {
    case ZIP_SOURCE_OPEN:
        self.m_piece = 0;
        self.m_current.clear();
        self.m_at = 0;
        return self.m_part.packedMiddle().seek(0) ? 0 : (self.fail(), -1);
    case ZIP_SOURCE_READ: {
        auto* out = static_cast<char*>(Data);
        zip_uint64_t done = 0;
        while (done < Length) {
            if (self.m_at == self.m_current.size() && !self.next()) break;
            const auto n = std::min<zip_uint64_t>(Length - done,
                                                  zip_uint64_t(self.m_current.size() - self.m_at));
            std::memcpy(out + done, self.m_current.constData() + self.m_at, n);
            self.m_at += qsizetype(n);
            done += n;
        }
        if (self.m_failure) {
            zipLibrary().zip_error_set(self.m_error, ZIP_ER_READ, self.m_failure);
            return -1;
        }
        return zip_int64_t(done);
    }
    case ZIP_SOURCE_CLOSE:
    case ZIP_SOURCE_FREE:
        return 0;
    case ZIP_SOURCE_STAT: {
        auto* st = self.argument<zip_stat_t>(Data, Length);
        if (!st) return -1;
        zipLibrary().zip_stat_init(st);
        st->valid |= ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC;
        st->size = self.m_part.size();
        st->comp_size = self.m_part.packedSize();
        st->comp_method = ZIP_CM_DEFLATE;
        st->crc = self.m_part.crc();
        return sizeof *st;
    }
    case ZIP_SOURCE_ERROR:
        return zipLibrary().zip_error_to_data(self.m_error, Data, Length);
    case ZIP_SOURCE_GET_FILE_ATTRIBUTES: {
        // Those of a private file, as the part was once packed from one.
        auto* attributes = self.argument<zip_file_attributes_t>(Data, Length);
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
        zipLibrary().zip_error_set(self.m_error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

QByteArray kxZipInMemory(TkxPackedSource& Packed, const std::function<void(zip_t*)>& Fill) {
    zip_error_t error;
    std::memset(&error, 0, sizeof error);
    Packed.setError(&error);
    zip_source_t* buffer = zipLibrary().zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!buffer) throw Exception(LoadResString(rs::SkxDocumentNotCreated));
    zipLibrary().zip_source_keep(buffer);
    struct BufferRelease {
        zip_source_t* buffer;
        ~BufferRelease() { zipLibrary().zip_source_free(buffer); }
    } release{buffer};
    zip_t* archive = zipLibrary().zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (!archive) throw Exception(LoadResString(rs::SkxDocumentNotCreated));
    try {
        Fill(archive);
    } catch (...) {
        zipLibrary().zip_discard(archive);
        throw;
    }
    if (zipLibrary().zip_close(archive) != 0) {
        const QString reason = QString::fromUtf8(zipLibrary().zip_strerror(archive));
        zipLibrary().zip_discard(archive);
        // The rows could not be read back from the temporary folder.
        if (Packed.failure())
            throw ETemporarySpaceError(QFile::decodeName(temporaryFolder()), Packed.failure());
        throw Exception(reason);
    }
    return bufferBytes(buffer);
}

} // namespace twl
