// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxPackedPart.h"

#include "base/Exceptions.h"
#include "base/FileSaveTemporary.h"
#include "base/SharedLibrary.h"

#include <QFile>
#include <cerrno>

namespace twl {

namespace {

// The compression library's functions, opened as the archive and workbook
// libraries are. Its soname has not changed since its first release, and the
// toolkit's core library has it mapped already.
struct DeflateLibrary {
    SharedLibrary library{"libz.so.1"};
    TWL_LIBRARY_FUNCTION(library, crc32_z);
    TWL_LIBRARY_FUNCTION(library, crc32_combine);
    TWL_LIBRARY_FUNCTION(library, deflate);
    TWL_LIBRARY_FUNCTION(library, deflateEnd);
    TWL_LIBRARY_FUNCTION(library, deflateInit2_);
};

const DeflateLibrary& deflateLibrary() {
    return functionTable<DeflateLibrary>();
}

constexpr qsizetype OutputChunk = 1 << 16;

// A raw deflate stream (no header, as a zip entry holds it) at Level.
void openStream(z_stream& Stream, int Level) {
    Stream = z_stream{};
    if (deflateLibrary().deflateInit2_(&Stream, Level, Z_DEFLATED, -MAX_WBITS, 8,
                                       Z_DEFAULT_STRATEGY, ZLIB_VERSION,
                                       int(sizeof(z_stream))) != Z_OK)
        throw Exception(QStringLiteral("deflate: cannot start"));
}

// Bytes packed as a stream of their own: ended by a sync flush when more
// follow, else as the last block.
QByteArray packAlone(const QByteArray& Bytes, int Level, bool Last) {
    z_stream stream;
    openStream(stream, Level);
    QByteArray out;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(Bytes.constData()));
    stream.avail_in = uInt(Bytes.size());
    int result = Z_OK;
    do {
        const qsizetype at = out.size();
        out.resize(at + OutputChunk);
        stream.next_out = reinterpret_cast<Bytef*>(out.data() + at);
        stream.avail_out = uInt(OutputChunk);
        result = deflateLibrary().deflate(&stream, Last ? Z_FINISH : Z_SYNC_FLUSH);
        out.resize(out.size() - qsizetype(stream.avail_out));
    } while (Last ? result != Z_STREAM_END : stream.avail_out == 0);
    deflateLibrary().deflateEnd(&stream);
    return out;
}

quint32 crcOf(quint32 Crc, const char* Data, qsizetype Size) {
    return quint32(
        deflateLibrary().crc32_z(Crc, reinterpret_cast<const Bytef*>(Data), z_size_t(Size)));
}

} // namespace

TkxPackedPart::TkxPackedPart(int Level)
    : m_level(Level)
    , m_file(std::make_unique<TemporaryFile>()) {
    if (!m_file->open()) throw Exception(m_file->errorString());
    openStream(m_stream, m_level);
    m_streamOpen = true;
    m_out.resize(OutputChunk);
    m_stream.next_out = reinterpret_cast<Bytef*>(m_out.data());
    m_stream.avail_out = uInt(OutputChunk);
}

TkxPackedPart::~TkxPackedPart() {
    if (m_streamOpen) deflateLibrary().deflateEnd(&m_stream);
}

void TkxPackedPart::fail() const {
    const int code = m_file->errorCode();
    throw ETemporarySpaceError(QFile::decodeName(temporaryFolder()), code ? code : EIO);
}

void TkxPackedPart::flushOutput() {
    const qsizetype used = OutputChunk - qsizetype(m_stream.avail_out);
    if (used > 0 && m_file->write(m_out.constData(), used) != used) fail();
    m_middlePacked += used;
    m_stream.next_out = reinterpret_cast<Bytef*>(m_out.data());
    m_stream.avail_out = uInt(OutputChunk);
}

void TkxPackedPart::deflateMiddle(const char* Data, qsizetype Size, int Flush) {
    m_stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(Data));
    m_stream.avail_in = uInt(Size);
    // Until the input is taken and, for a flush, the output no longer fills
    // the buffer (then the flush is complete).
    bool filled = false;
    do {
        deflateLibrary().deflate(&m_stream, Flush);
        filled = m_stream.avail_out == 0;
        if (filled) flushOutput();
    } while (m_stream.avail_in > 0 || (Flush != Z_NO_FLUSH && filled));
}

void TkxPackedPart::write(const char* Data, qsizetype Size) {
    m_middleCrc = crcOf(m_middleCrc, Data, Size);
    m_middleSize += quint64(Size);
    // uInt counts at most 4 GB a call.
    constexpr qsizetype Step = qsizetype(1) << 30;
    for (qsizetype at = 0; at < Size; at += Step)
        deflateMiddle(Data + at, std::min(Step, Size - at), Z_NO_FLUSH);
}

void TkxPackedPart::finish(const QByteArray& Head, const QByteArray& Tail) {
    deflateMiddle(nullptr, 0, Z_SYNC_FLUSH);
    flushOutput();
    deflateLibrary().deflateEnd(&m_stream);
    m_streamOpen = false;
    if (!m_file->flush()) fail();
    m_packedHead = packAlone(Head, m_level, false);
    m_packedTail = packAlone(Tail, m_level, true);
    const quint32 headCrc = crcOf(0, Head.constData(), Head.size());
    const quint32 tailCrc = crcOf(0, Tail.constData(), Tail.size());
    m_crc = quint32(deflateLibrary().crc32_combine(headCrc, m_middleCrc, z_off_t(m_middleSize)));
    m_crc = quint32(deflateLibrary().crc32_combine(m_crc, tailCrc, z_off_t(Tail.size())));
    m_size = quint64(Head.size()) + m_middleSize + quint64(Tail.size());
}

quint64 TkxPackedPart::packedSize() const {
    return quint64(m_packedHead.size()) + quint64(m_middlePacked) + quint64(m_packedTail.size());
}

} // namespace twl
