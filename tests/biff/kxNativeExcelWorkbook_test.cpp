// SPDX-License-Identifier: GPL-3.0-or-later
// The workbook writer's cursor, its value dispatch, its published
// interface and its saves.
#include "base/Exceptions.h"
#include "base/Font.h"
#include "base/Variant.h"
#include "biff/kxNativeExcel.h"
#include "tests/biff/NativeExcelBytes.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QTemporaryDir>

using namespace twl;
using test::Biff2Prolog;
using test::Biff5Prolog;
using test::body;
using test::bytesEqual;
using test::hexBytes;

namespace {

struct Cursor {
    int row;
    int column;
};

// Writes one blank at (row, column) moving `move`, returns where the cursor went.
Cursor moveFrom(TkxNativeExcel::TkxMoveAfterEnter move, int row, int column) {
    TkxNativeExcel w;
    w.setMoveAfterEnter(move);
    w.setRow(row);
    w.setColumn(column);
    w.WriteBlank();
    return {w.Row(), w.Column()};
}

} // namespace

TEST(NativeExcel, CursorMovesAndWraps) {
    using M = TkxNativeExcel;
    struct Case {
        const char* name;
        M::TkxMoveAfterEnter move;
        int row, column, toRow, toColumn;
    };
    const Case cases[] = {
        {"none", maNone, 5, 5, 5, 5},
        {"right", maRight, 1, 1, 1, 2},
        {"right at column 256 wraps", maRight, 7, 256, 8, 1},
        {"right at the last cell stays", maRight, 65535, 256, 65535, 256},
        {"left", maLeft, 3, 3, 3, 2},
        {"left at column 1 wraps", maLeft, 3, 1, 2, 256},
        {"left at the first cell stays", maLeft, 1, 1, 1, 1},
        {"down", maDown, 3, 3, 4, 3},
        {"down at the last row wraps", maDown, 65535, 3, 1, 4},
        {"down at the last cell stays", maDown, 65535, 256, 65535, 256},
        {"up", maUp, 3, 3, 2, 3},
        {"up at row 1 wraps", maUp, 1, 3, 65535, 2},
        {"up at the first cell stays", maUp, 1, 1, 1, 1},
    };
    for (const Case& c : cases) {
        const Cursor to = moveFrom(c.move, c.row, c.column);
        EXPECT_EQ(to.row, c.toRow) << c.name;
        EXPECT_EQ(to.column, c.toColumn) << c.name;
    }

    // At the last cell the next one lands on the same position.
    TkxNativeExcel w;
    w.setRow(65535);
    w.setColumn(256);
    w.WriteBlank();
    w.WriteBlank();
    EXPECT_TRUE(bytesEqual(hexBytes("01 00 07 00 FE FF FF 00 40 00 00"
                                    "01 00 07 00 FE FF FF 00 40 00 00"),
                           body(w)));
}

TEST(NativeExcel, OutOfRangeCursorValuesAreIgnored) {
    TkxNativeExcel w;
    w.setRow(10);
    w.setColumn(20);
    for (int bad : {0, -1, 65536, 70000})
        w.setRow(bad);
    for (int bad : {0, -1, 257})
        w.setColumn(bad);
    EXPECT_EQ(w.Row(), 10);
    EXPECT_EQ(w.Column(), 20);
    w.setRow(65535);
    w.setColumn(256);
    EXPECT_EQ(w.Row(), 65535);
    EXPECT_EQ(w.Column(), 256);
}

TEST(NativeExcel, RecordWrittenWhileClosedRestartsTheWorkbook) {
    TkxNativeExcel w;
    w.setBIFF(bvBIFF2);
    w.WriteInteger(7);
    w.Close();
    w.WriteInteger(8);
    EXPECT_EQ(w.WriterState(), TkxNativeExcel::wsOpen);
    EXPECT_TRUE(
        bytesEqual(Biff2Prolog + hexBytes("02 00 09 00 00 00 01 00 40 00 00 08 00"), w.buffer()));

    // A font written while closed is counted in the new workbook.
    TFont font;
    font.setName("A");
    for (int i = 0; i < 4; ++i)
        w.WriteFont(&font);
    w.Close();
    w.WriteFont(&font);
    EXPECT_EQ(w.FontCount(), 1);
    EXPECT_TRUE(bytesEqual(Biff2Prolog + hexBytes("31 00 06 00 A0 00 00 00 01 41"), w.buffer()));
}

TEST(NativeExcel, WriteValueDispatchesOnTheWholeTypeCode) {
    test::RegionalScope regional(QLatin1Char(','), "dd.MM.yyyy", "HH:mm:ss");
    struct Case {
        const char* name;
        TVariant value;
        const char* record; // empty: nothing written
    };
    const QString text = QStringLiteral("ab");
    const Case cases[] = {
        {"empty", TVariant(), "01 00 07 00 00 00 00 00 40 00 00"},
        {"null", TVariant::null(), "05 00 09 00 00 00 00 00 40 00 00 00 01"},
        {"smallint", TVariant::withType(varSmallint, -5),
         "03 00 0F 00 00 00 00 00 40 00 00 00 00 00 00 00 00 14 C0"},
        {"integer", TVariant(300), "02 00 09 00 00 00 00 00 40 00 00 2C 01"},
        {"byte", TVariant::withType(varByte, 200), "02 00 09 00 00 00 00 00 40 00 00 C8 00"},
        {"single", TVariant::withType(varSingle, 0, 0.5),
         "03 00 0F 00 00 00 00 00 40 00 00 00 00 00 00 00 00 E0 3F"},
        {"double", TVariant(1.5), "03 00 0F 00 00 00 00 00 40 00 00 00 00 00 00 00 00 F8 3F"},
        {"currency", TVariant::withType(varCurrency, 0, 2.0),
         "03 00 0F 00 00 00 00 00 40 00 00 00 00 00 00 00 00 00 40"},
        {"date", TVariant(QDateTime(QDate(2024, 3, 9), QTime(14, 5, 6))),
         "04 00 1B 00 00 00 00 00 40 00 00 13 30 39 2E 30 33 2E 32 30 32 34 20 31 34 3A 30 35 3A "
         "30 36"},
        {"wide string", TVariant::withType(varOleStr, 0, 0, text),
         "04 00 0A 00 00 00 00 00 40 00 00 02 61 62"},
        {"string argument", TVariant::withType(varStrArg, 0, 0, text),
         "04 00 0A 00 00 00 00 00 40 00 00 02 61 62"},
        {"string", TVariant(text), "04 00 0A 00 00 00 00 00 40 00 00 02 61 62"},
        {"dispatch", TVariant::withType(varDispatch), "05 00 09 00 00 00 00 00 40 00 00 2A 01"},
        {"error", TVariant::withType(varError), "05 00 09 00 00 00 00 00 40 00 00 2A 01"},
        {"any", TVariant::withType(varAny), "05 00 09 00 00 00 00 00 40 00 00 2A 01"},
        {"unknown", TVariant::withType(varUnknown), "05 00 09 00 00 00 00 00 40 00 00 2A 01"},
        {"boolean", TVariant(true), "05 00 09 00 00 00 00 00 40 00 00 01 00"},
        {"variant", TVariant::withType(varVariant), "05 00 09 00 00 00 00 00 40 00 00 0F 01"},
        {"word", TVariant::withType(varWord, 5), ""},
        {"int64", TVariant::withType(varInt64, 5), ""},
        {"array of integers", TVariant::withType(varArray | varInteger, 5), ""},
        {"string by reference", TVariant::withType(varByRef | varString, 0, 0, text), ""},
    };
    for (const Case& c : cases) {
        TkxNativeExcel w;
        w.WriteValue(c.value);
        EXPECT_TRUE(bytesEqual(hexBytes(c.record), body(w))) << c.name;
        EXPECT_EQ(w.Column(), *c.record ? 2 : 1) << c.name;
    }
}

TEST(NativeExcel, FileNameGetsTheWorkbookExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"/tmp/out.txt", "/tmp/out.XLS"},       {"/tmp/out", "/tmp/out.XLS"},
        {"/tmp/out.xls", "/tmp/out.xls"},       {"/tmp/out.Xls", "/tmp/out.Xls"},
        {"/tmp/v1.2/out", "/tmp/v1.2/out.XLS"}, {"/tmp/out.", "/tmp/out.XLS"},
        {"/tmp/out.xlsx", "/tmp/out.XLS"},
    };
    for (const auto& [given, stored] : cases) {
        TkxNativeExcel w;
        w.setFileName(given);
        EXPECT_EQ(w.FileName(), stored) << given;
    }
    TkxNativeExcel w;
    w.setFileName("");
    EXPECT_EQ(w.FileName(), "");
    w.setFileName("a.xls");
    w.setFileName("");
    EXPECT_EQ(w.FileName(), ".XLS");
}

TEST(NativeExcel, PublishedPropertiesAndEnumerations) {
    TkxNativeExcel w;
    const QMetaObject* mo = w.metaObject();
    QStringList names;
    for (int i = mo->propertyOffset(); i < mo->propertyCount(); ++i)
        names << mo->property(i).name();
    EXPECT_EQ(names.join(','),
              "ActiveFont,Alignment,BIFF,Borders,FileName,Row,Column,MoveAfterEnter,"
              "Shading,Hidden,Locked,Version");
    const QMetaEnum move = QMetaEnum::fromType<TkxNativeExcel::TkxMoveAfterEnter>();
    EXPECT_STREQ(move.valueToKey(maLeft), "maLeft");
    EXPECT_STREQ(QMetaEnum::fromType<TkxNativeExcel::TkxExcelAlignment>().valueToKey(5),
                 "eaMultiPlan");
    EXPECT_STREQ(QMetaEnum::fromType<TkxNativeExcel::TkxBIFFVersion>().valueToKey(0), "bvBIFF2");
    EXPECT_STREQ(QMetaEnum::fromType<TkxNativeExcel::TkxExcelBorders>().valueToKey(3), "ebRight");

    EXPECT_TRUE(w.setProperty("MoveAfterEnter", "maDown"));
    EXPECT_EQ(w.MoveAfterEnter(), maDown);
    w.setProperty("Row", 0);
    EXPECT_EQ(w.property("Row").toInt(), 1);
    w.setProperty("Borders", 0x05);
    EXPECT_TRUE(w.Borders().contains(ebTop));
    EXPECT_TRUE(w.Borders().contains(ebLeft));
    EXPECT_FALSE(w.Borders().contains(ebBottom));

    // Numbers outside an enumeration are refused like any out-of-range value.
    const QByteArray before = w.buffer();
    w.setProperty("BIFF", 9);
    w.setProperty("Alignment", 200);
    w.setProperty("MoveAfterEnter", 5);
    EXPECT_EQ(w.BIFF(), bvBIFF5);
    EXPECT_EQ(w.Alignment(), eaGeneral);
    EXPECT_EQ(w.MoveAfterEnter(), maDown);
    EXPECT_EQ(w.buffer(), before);
}

TEST(NativeExcel, SavesEverySettingToDisk) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TFont font;
    font.setName("Arial");
    for (auto biff : {bvBIFF2, bvBIFF3, bvBIFF4, bvBIFF5}) {
        TkxNativeExcel w;
        w.setFileName(dir.filePath(QStringLiteral("book%1").arg(int(biff))));
        w.setBIFF(biff);
        w.Open();
        w.WriteFont(&font);
        w.WriteFooter("&P");
        w.WriteColumnWidth(1, 256, 12);
        w.WriteBlank();
        w.WriteInteger(42);
        w.WriteNumber(88.85);
        w.WriteString(QStringLiteral("SUM"));
        w.WriteBoolean(true);
        w.WriteBoolErr(3);
        w.WriteProtect(true);
        w.Close();
        w.SaveToFile();
        EXPECT_TRUE(w.FileName().endsWith(".XLS"));
        EXPECT_TRUE(bytesEqual(w.buffer(), test::readFile(w.FileName()))) << int(biff);
        EXPECT_EQ(w.WriterState(), TkxNativeExcel::wsClosed);
        // The same buffer can be saved again.
        w.SaveToFile();
        EXPECT_TRUE(bytesEqual(w.buffer(), test::readFile(w.FileName())));
    }
}

TEST(NativeExcel, FailedSaveLeavesTargetBufferAndStateAlone) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TkxNativeExcel w;
    w.WriteInteger(1);
    w.Close();
    const QByteArray built = w.buffer();

    // A folder that does not exist.
    w.setFileName(dir.filePath("missing/book.xls"));
    try {
        w.SaveToFile();
        ADD_FAILURE() << "no error raised";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.message(), "Cannot create file " + w.FileName());
    }

    // A target that cannot be replaced (a folder in its place) stays as it was,
    // and no stray file is left beside it.
    const QString target = dir.filePath("book.XLS");
    ASSERT_TRUE(QDir(dir.path()).mkdir("book.XLS"));
    test::writeFile(target + "/keep", "old");
    w.setFileName(target);
    EXPECT_THROW(w.SaveToFile(), EFCreateError);
    EXPECT_EQ(test::readFile(target + "/keep"), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"book.XLS"});

    EXPECT_EQ(w.buffer(), built);
    EXPECT_EQ(w.WriterState(), TkxNativeExcel::wsClosed);
}
