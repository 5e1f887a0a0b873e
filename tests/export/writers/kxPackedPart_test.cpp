// SPDX-License-Identifier: GPL-3.0-or-later
// A part packed as it is written: its start, middle and end, packed apart,
// read back as one stream with the size and CRC the packing gave.

#include "export/writers/kxPackedPart.h"

#include "base/FileSaveTemporary.h"

#include <gtest/gtest.h>

#include <vector>

using namespace twl;

namespace {

quint32 crc32Of(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// The raw deflate stream unpacked by the toolkit's reader, which wants the
// stream framed: its length ahead, a zlib header and the Adler-32 after it.
QByteArray unpacked(const QByteArray& raw, const QByteArray& original) {
    quint32 a = 1, b = 0;
    for (const char c : original) {
        a = (a + quint8(c)) % 65521;
        b = (b + a) % 65521;
    }
    const quint32 adler = b << 16 | a;
    const auto n = quint32(original.size());
    QByteArray framed;
    for (int shift = 24; shift >= 0; shift -= 8)
        framed += char(n >> shift);
    framed += "\x78\x01";
    framed += raw;
    for (int shift = 24; shift >= 0; shift -= 8)
        framed += char(adler >> shift);
    return qUncompress(framed);
}

// Bytes that hardly pack (so that the packed middle spans several output
// buffers), or a row of a sheet repeated.
QByteArray noise(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 x = 2463534242u;
    for (char& c : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = char(x);
    }
    return bytes;
}

QByteArray rows(int count) {
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += "<row r=\"" + QByteArray::number(i) + "\"><c><v>83.33</v></c></row>";
    return bytes;
}

} // namespace

TEST(PackedPart, ReadsBackAsTheWholePartWithItsSizeAndCrc) {
    struct Case {
        const char* name;
        QByteArray head;
        QByteArray middle;
        int pieces; // the middle written in this many writes
        QByteArray tail;
        int level;
    } cases[] = {
        {"no rows", "<sheet>", "", 1, "</sheet>", 1},
        {"no start, no end", "", rows(10), 1, "", 1},
        {"everything empty", "", "", 0, "", 1},
        {"rows in many writes", "<?xml?><sheet>", rows(20000), 997, "</sheet>\n", 1},
        {"hardly packable rows", noise(5000), noise(300000), 7, noise(3000), 1},
        {"another level", "<sheet>", rows(5000), 3, "</sheet>", 6},
    };
    std::vector<Case> all(std::begin(cases), std::end(cases));
    // Rows that leave the packing's output nearly full when the middle ends,
    // so that its last bytes take more than one pass.
    for (const qsizetype size : {40000, 60000, 64000, 65000, 66000, 100000, 131000})
        all.push_back({"a middle ending near a full output", "<a>", noise(size), 1, "</a>", 1});
    for (const Case& c : all) {
        TkxPackedPart part(c.level);
        const qsizetype step = c.pieces > 0 ? c.middle.size() / c.pieces + 1 : 1;
        for (qsizetype at = 0; at < c.middle.size(); at += step)
            part.write(c.middle.mid(at, step));
        part.finish(c.head, c.tail);
        const QByteArray whole = c.head + c.middle + c.tail;
        EXPECT_EQ(part.size(), quint64(whole.size())) << c.name;
        EXPECT_EQ(part.crc(), crc32Of(whole)) << c.name;
        ASSERT_TRUE(part.packedMiddle().seek(0)) << c.name;
        const QByteArray middle = part.packedMiddle().readAll();
        EXPECT_EQ(middle.size(), part.packedMiddleSize()) << c.name;
        const QByteArray raw = part.packedHead() + middle + part.packedTail();
        EXPECT_EQ(quint64(raw.size()), part.packedSize()) << c.name;
        EXPECT_TRUE(unpacked(raw, whole) == whole) << c.name;
    }
}
