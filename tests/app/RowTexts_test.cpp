// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RowTexts.h"
#include "tests/support/TestSupport.h"

using namespace twl;

namespace {

// Every text reads back as it went in, null and empty apart, across the
// lengths where the length's form changes and rows of many cells.
template <class Unit> void roundTrip(const std::vector<QStringList>& rows) {
    RowTexts<Unit> texts;
    for (const QStringList& row : rows) {
        texts.beginRow();
        for (const QString& cell : row)
            ASSERT_TRUE(texts.add(cell));
    }
    for (int pass = 0; pass < 2; ++pass) {
        QStringList read;
        for (const QStringList& row : rows) {
            ASSERT_FALSE(texts.atEnd());
            texts.readRow(read);
            ASSERT_EQ(read.size(), row.size());
            for (qsizetype i = 0; i < row.size(); ++i) {
                EXPECT_EQ(read[i], row[i]);
                EXPECT_EQ(read[i].isNull(), row[i].isNull()) << i;
            }
        }
        EXPECT_TRUE(texts.atEnd());
        texts.rewind();
    }
    // As Latin-1 views: into an 8-bit table, or copied (a 16-bit table always
    // narrows); a text outside Latin-1 says so.
    for (const bool copy : {false, true}) {
        std::vector<char> narrow;
        QList<QLatin1StringView> views;
        for (const QStringList& row : rows) {
            bool latin1 = true;
            for (const QString& cell : row)
                latin1 = latin1 && RowTexts<char>::isLatin1(cell);
            EXPECT_EQ(texts.readRow(views, narrow, copy), latin1);
            ASSERT_EQ(views.size(), row.size());
            for (qsizetype i = 0; i < row.size(); ++i) {
                if (latin1) {
                    EXPECT_EQ(QString(views[i]), row[i]);
                }
                if (views[i].isEmpty()) continue;
                const bool copied = views[i].data() >= narrow.data() &&
                                    views[i].data() < narrow.data() + narrow.size();
                EXPECT_EQ(copied, copy || sizeof(Unit) == 2);
            }
        }
        EXPECT_TRUE(texts.atEnd());
        texts.rewind();
    }
    // Every other row passed over: the next is read where it starts.
    QStringList read;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (r % 2) {
            texts.skipRow();
            continue;
        }
        texts.readRow(read);
        EXPECT_EQ(read, rows[r]) << r;
    }
    EXPECT_TRUE(texts.atEnd());
}

} // namespace

TEST(RowTexts, EveryTextReadsBackAsItWentIn) {
    std::vector<QStringList> rows = {{"1", "88.85", "10.00"}, {}, {QString(), "", "x"}};
    for (const int n : {253, 254, 255, 256, 300, 65533, 65534, 65535, 70000})
        rows.push_back({QString(n, QLatin1Char('7')), "after"});
    QStringList wide;
    for (int i = 0; i < 300; ++i)
        wide << QString::number(i);
    rows.push_back(wide);
    rows.push_back({"caf\u00e9", "\u00ff"});
    roundTrip<char>(rows);
    rows.push_back({"\u20ac", "\u4e2d", QString(QChar(0xD83D)) + QChar(0xDE00)});
    roundTrip<char16_t>(rows);
}

TEST(RowTexts, ByteUnitsRefuseWhatLatin1CannotHold) {
    RowTexts<char> texts;
    texts.beginRow();
    EXPECT_TRUE(texts.add(u"a"));
    const std::size_t size = texts.size();
    EXPECT_FALSE(texts.add(u"\u20ac"));
    EXPECT_EQ(texts.size(), size);
    QStringList row;
    texts.readRow(row);
    EXPECT_EQ(row, QStringList{"a"});
}
