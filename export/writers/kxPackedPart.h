// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A package part deflated as it is written, so that the archive takes its
// packed bytes as they are: a long sheet's rows are packed once, not spooled
// packed, unpacked and packed again. The rows go to a temporary file, so a
// long table costs no more memory than a short one; the part's head and tail,
// known only at the end, are packed around them as streams of their own
// (deflate blocks end on a byte after a sync flush, so the three follow one
// another as one stream).

#include <QByteArray>
#include <memory>
#include <zlib.h>

namespace twl {

class TemporaryFile;

class TkxPackedPart {
public:
    // Raises Exception where the temporary file cannot be made.
    explicit TkxPackedPart(int Level);
    ~TkxPackedPart();
    TkxPackedPart(const TkxPackedPart&) = delete;
    TkxPackedPart& operator=(const TkxPackedPart&) = delete;

    // Packs the next bytes of the part's middle; raises ETemporarySpaceError
    // where the temporary file cannot take them.
    void write(const char* Data, qsizetype Size);
    void write(const QByteArray& Bytes) { write(Bytes.constData(), Bytes.size()); }
    // Ends the middle and packs Head before it and Tail after it.
    void finish(const QByteArray& Head, const QByteArray& Tail);

    // After finish(): the part unpacked (its size and CRC-32) and packed.
    quint64 size() const { return m_size; }
    quint32 crc() const { return m_crc; }
    quint64 packedSize() const;
    const QByteArray& packedHead() const { return m_packedHead; }
    TemporaryFile& packedMiddle() { return *m_file; }
    qint64 packedMiddleSize() const { return m_middlePacked; }
    const QByteArray& packedTail() const { return m_packedTail; }

private:
    [[noreturn]] void fail() const;
    void flushOutput();
    void deflateMiddle(const char* Data, qsizetype Size, int Flush);

    int m_level;
    std::unique_ptr<TemporaryFile> m_file;
    z_stream m_stream{};
    bool m_streamOpen = false;
    QByteArray m_out;
    qint64 m_middlePacked = 0;
    quint64 m_middleSize = 0;
    quint32 m_middleCrc = 0;
    QByteArray m_packedHead;
    QByteArray m_packedTail;
    quint64 m_size = 0;
    quint32 m_crc = 0;
};

} // namespace twl
