// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Exceptions.h"
#include "base/Font.h"
#include "base/Variant.h"
#include "biff/kxNativeExcel.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QTemporaryDir>

using namespace twl;
using test::bytesEqual;
using test::hexBytes;

namespace {

const QByteArray Biff5Prolog = hexBytes("09 08 06 00 00 02 10 00 00 00"
                                        "00 02 0A 00 00 00 FF FF 00 00 00 01 00 00");
const QByteArray Biff2Prolog = hexBytes("09 00 04 00 00 02 10 00"
                                        "00 00 08 00 00 00 FF FF 00 00 00 01");

// What the writer appended after its BOF and DIMENSIONS.
QByteArray body(const TkxNativeExcel& w) {
    const QByteArray& b = w.buffer();
    const qsizetype prolog = w.BIFF() == bvBIFF2 ? Biff2Prolog.size() : Biff5Prolog.size();
    return b.mid(prolog);
}

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

TEST(NativeExcel, NewWriterHoldsBiff5PrologAndInitialValues) {
    TkxNativeExcel w;
    EXPECT_TRUE(bytesEqual(Biff5Prolog, w.buffer()));
    EXPECT_EQ(w.WriterState(), TkxNativeExcel::wsOpen);
    EXPECT_EQ(w.BIFF(), bvBIFF5);
    EXPECT_EQ(w.Row(), 1);
    EXPECT_EQ(w.Column(), 1);
    EXPECT_EQ(w.FontCount(), 0);
    EXPECT_EQ(w.ActiveFont(), 0);
    EXPECT_EQ(w.MoveAfterEnter(), maRight);
    EXPECT_EQ(w.Alignment(), eaGeneral);
    EXPECT_TRUE(w.Borders().isEmpty());
    EXPECT_FALSE(w.Shading());
    EXPECT_FALSE(w.Hidden());
    EXPECT_TRUE(w.Locked());
    EXPECT_TRUE(w.FileName().isEmpty());
    EXPECT_EQ(w.Version(), "1.23");
    w.setVersion("9.9");
    EXPECT_EQ(w.Version(), "1.23");
}

TEST(NativeExcel, WorkedExampleByteForByte) {
    TkxNativeExcel w;
    w.setBIFF(bvBIFF2);
    w.Open();
    w.WriteNumber(1.5);
    w.WriteString("abc");
    EXPECT_EQ(w.Column(), 3);
    w.Close();
    EXPECT_TRUE(bytesEqual(hexBytes("09 00 04 00 00 02 10 00"
                                    "00 00 08 00 00 00 FF FF 00 00 00 01"
                                    "03 00 0F 00 00 00 00 00 40 00 00 00 00 00 00 00 00 F8 3F"
                                    "04 00 0B 00 00 00 01 00 40 00 00 03 61 62 63"
                                    "0A 00 00 00"),
                           w.buffer()));
    EXPECT_EQ(w.WriterState(), TkxNativeExcel::wsClosed);
}

TEST(NativeExcel, BofAndDimensionsOfEachSetting) {
    TkxNativeExcel w;
    w.setBIFF(bvBIFF2);
    w.Open();
    w.Close();
    EXPECT_TRUE(bytesEqual(Biff2Prolog + hexBytes("0A 00 00 00"), w.buffer()));
    EXPECT_EQ(w.buffer().size(), 24);

    const QByteArray later =
        hexBytes("00 02 10 00 00 00 00 02 0A 00 00 00 FF FF 00 00 00 01 00 00");
    w.setBIFF(bvBIFF3);
    EXPECT_TRUE(bytesEqual(hexBytes("09 02 06 00") + later, w.buffer()));
    w.setBIFF(bvBIFF4);
    EXPECT_TRUE(bytesEqual(hexBytes("09 04 06 00") + later, w.buffer()));
    w.setBIFF(bvBIFF5);
    EXPECT_TRUE(bytesEqual(Biff5Prolog, w.buffer()));
}

TEST(NativeExcel, SameSettingKeepsTheBufferAnotherRestartsIt) {
    TkxNativeExcel w;
    w.WriteBlank();
    const QByteArray before = w.buffer();
    w.setBIFF(bvBIFF5);
    EXPECT_EQ(w.buffer(), before);
    w.setBIFF(bvBIFF2);
    EXPECT_TRUE(bytesEqual(Biff2Prolog, w.buffer()));
    // The cursor survives a restart.
    EXPECT_EQ(w.Column(), 2);
}

TEST(NativeExcel, LabelsAreCutTo255BytesOfWindows1252) {
    TkxNativeExcel w;
    QString text;
    for (int i = 0; i < 300; ++i)
        text += QChar('a' + i % 26);
    w.WriteString(text);
    QByteArray cell = body(w);
    ASSERT_EQ(cell.size(), 4 + 263);
    EXPECT_TRUE(bytesEqual(hexBytes("04 00 07 01 00 00 00 00 40 00 00 FF"), cell.left(12)));
    EXPECT_EQ(cell.mid(12), text.left(255).toLatin1());

    w.Open();
    w.WriteString(QString());
    EXPECT_TRUE(bytesEqual(hexBytes("04 00 08 00 00 00 01 00 40 00 00 00"), body(w)));

    // Euro sign, a Latin-1 letter, a character outside the code page and a
    // surrogate pair (one character, one '?').
    w.Open();
    w.WriteString(QString::fromUtf8("\u20AC\u00E9\u0416\U0001F600"));
    EXPECT_TRUE(bytesEqual(hexBytes("04 00 0C 00 00 00 02 00 40 00 00 04 80 E9 3F 3F"), body(w)));

    // 8-bit text goes out as it is, up to its terminator.
    w.Open();
    w.WriteLabel("x\xE9y");
    w.WriteLabel(nullptr);
    EXPECT_TRUE(bytesEqual(hexBytes("04 00 0B 00 00 00 03 00 40 00 00 03 78 E9 79"
                                    "04 00 08 00 00 00 04 00 40 00 00 00"),
                           body(w)));
}

TEST(NativeExcel, IntegersOutsideTheRecordRangeBecomeNumbers) {
    TkxNativeExcel w;
    w.setMoveAfterEnter(maNone);
    w.WriteInteger(0);
    w.WriteInteger(65535);
    w.WriteInteger(70000);
    w.WriteInteger(-1);
    EXPECT_TRUE(bytesEqual(hexBytes("02 00 09 00 00 00 00 00 40 00 00 00 00"
                                    "02 00 09 00 00 00 00 00 40 00 00 FF FF"
                                    "03 00 0F 00 00 00 00 00 40 00 00 00 00 00 00 00 17 F1 40"
                                    "03 00 0F 00 00 00 00 00 40 00 00 00 00 00 00 00 00 F0 BF"),
                           body(w)));
}

TEST(NativeExcel, BoolErrCodes) {
    TkxNativeExcel w;
    w.setMoveAfterEnter(maNone);
    const char* expected[] = {"01 00", "00 00", "00 01", "07 01", "0F 01",
                              "17 01", "1D 01", "24 01", "2A 01"};
    for (std::uint8_t code = 0; code <= 8; ++code) {
        w.Open();
        w.WriteBoolErr(code);
        EXPECT_TRUE(bytesEqual(
            hexBytes("05 00 09 00 00 00 00 00 40 00 00") + hexBytes(expected[code]), body(w)))
            << "code " << int(code);
    }
    w.Open();
    w.WriteBoolean(true);
    w.WriteBoolean(false);
    EXPECT_EQ(body(w).mid(11, 2), hexBytes("01 00"));
    EXPECT_EQ(body(w).mid(24, 2), hexBytes("00 00"));

    // Outside the contract: nothing is written and the cursor stays.
    w.setMoveAfterEnter(maRight);
    w.Open();
    w.WriteBoolErr(9);
    EXPECT_TRUE(body(w).isEmpty());
    EXPECT_EQ(w.Column(), 1);
}

TEST(NativeExcel, AttributeBytesFollowTheFormattingProperties) {
    struct Case {
        const char* name;
        std::function<void(TkxNativeExcel&)> set;
        const char* bytes;
    };
    const Case cases[] = {
        {"defaults", [](TkxNativeExcel&) {}, "40 00 00"},
        {"not locked", [](TkxNativeExcel& w) { w.setLocked(false); }, "00 00 00"},
        {"hidden", [](TkxNativeExcel& w) { w.setHidden(true); }, "C0 00 00"},
        {"left", [](TkxNativeExcel& w) { w.setAlignment(eaLeft); }, "40 00 01"},
        {"right", [](TkxNativeExcel& w) { w.setAlignment(eaRight); }, "40 00 03"},
        {"center", [](TkxNativeExcel& w) { w.setAlignment(eaCenter); }, "40 00 02"},
        {"fill", [](TkxNativeExcel& w) { w.setAlignment(eaFill); }, "40 00 04"},
        {"multiplan", [](TkxNativeExcel& w) { w.setAlignment(eaMultiPlan); }, "40 00 07"},
        {"border left", [](TkxNativeExcel& w) { w.setBorders({ebLeft}); }, "40 00 08"},
        {"border right", [](TkxNativeExcel& w) { w.setBorders({ebRight}); }, "40 00 10"},
        {"border top", [](TkxNativeExcel& w) { w.setBorders({ebTop}); }, "40 00 20"},
        {"border bottom", [](TkxNativeExcel& w) { w.setBorders({ebBottom}); }, "40 00 40"},
        {"all borders centred",
         [](TkxNativeExcel& w) {
             w.setBorders(TkxExcelBorderSet::all());
             w.setAlignment(eaCenter);
         },
         "40 00 7A"},
        {"shading", [](TkxNativeExcel& w) { w.setShading(true); }, "40 00 80"},
    };
    for (const Case& c : cases) {
        TkxNativeExcel w;
        c.set(w);
        w.WriteBlank();
        EXPECT_TRUE(bytesEqual(hexBytes("01 00 07 00 00 00 00 00") + hexBytes(c.bytes), body(w)))
            << c.name;
    }
}

TEST(NativeExcel, FontsAreCountedAndAFifthIsIgnored) {
    TkxNativeExcel w;
    TFont font;
    font.setName("Arial");
    font.setSize(10);
    font.setBold(true);
    font.setUnderline(true);
    w.WriteFont(&font);
    EXPECT_TRUE(bytesEqual(hexBytes("31 00 0A 00 C8 00 05 00 05 41 72 69 61 6C"), body(w)));

    font.setBold(false);
    font.setUnderline(false);
    font.setItalic(true);
    font.setStrikeOut(true);
    font.setName(QString(300, QLatin1Char('F')));
    w.WriteFont(&font);
    EXPECT_EQ(w.RecordLength(), 5 + 255);
    EXPECT_EQ(body(w).mid(14, 9), hexBytes("31 00 04 01 C8 00 0A 00 FF"));

    w.WriteFont(nullptr);
    EXPECT_EQ(w.FontCount(), 2);
    w.WriteFont(&font);
    w.WriteFont(&font);
    const QByteArray four = w.buffer();
    w.WriteFont(&font);
    EXPECT_EQ(w.FontCount(), 4);
    EXPECT_EQ(w.buffer(), four);

    // FontCount itself is accepted; a font above the two cell bits gives 0.
    w.setActiveFont(3);
    w.setMoveAfterEnter(maNone);
    w.WriteBlank();
    EXPECT_EQ(w.buffer().right(2), hexBytes("C0 00"));
    w.setActiveFont(4);
    EXPECT_EQ(w.ActiveFont(), 4);
    w.WriteBlank();
    EXPECT_EQ(w.buffer().right(2), hexBytes("00 00"));
    w.setActiveFont(5);
    EXPECT_EQ(w.ActiveFont(), 4);

    // A restart forgets the fonts but not the active index.
    w.Open();
    EXPECT_EQ(w.FontCount(), 0);
    EXPECT_EQ(w.ActiveFont(), 4);
    w.setActiveFont(1);
    EXPECT_EQ(w.ActiveFont(), 4);
    w.setActiveFont(0);
    EXPECT_EQ(w.ActiveFont(), 0);
    w.setActiveFont(-1);
    EXPECT_EQ(w.ActiveFont(), 0);
}

TEST(NativeExcel, PageRecords) {
    TkxNativeExcel w;
    w.WriteHeader(QString("Loan"));
    w.WriteFooter("&P");
    w.WriteLeftMargin(0.3);
    w.WriteRightMargin(1.0);
    w.WriteTopMargin(0.5);
    w.WriteBottomMargin(2.0);
    w.WriteMargin(4, 9.0);
    w.WriteColumnWidth(1, 256, 11);
    w.WriteColumnWidth(1, 0, 11);
    w.WriteColumnWidth(3, 4, 300);
    w.WriteProtect(true);
    w.WriteProtect(false);
    EXPECT_EQ(w.Row(), 1);
    EXPECT_EQ(w.Column(), 1);
    EXPECT_TRUE(bytesEqual(hexBytes("14 00 05 00 04 4C 6F 61 6E"
                                    "15 00 03 00 02 26 50"
                                    "26 00 08 00 33 33 33 33 33 33 D3 3F"
                                    "27 00 08 00 00 00 00 00 00 00 F0 3F"
                                    "28 00 08 00 00 00 00 00 00 00 E0 3F"
                                    "29 00 08 00 00 00 00 00 00 00 00 40"
                                    "24 00 04 00 00 FF 00 0B"
                                    "24 00 04 00 00 FF 00 0B"
                                    "24 00 04 00 02 03 00 2C"
                                    "12 00 02 00 01 00"
                                    "12 00 02 00 00 00"),
                           body(w)));

    w.Open();
    w.WriteHeader(QString(300, QLatin1Char('h')));
    EXPECT_EQ(w.RecordLength(), 256);
    EXPECT_EQ(body(w).size(), 4 + 256);
}

TEST(NativeExcel, TheCodePageIsARecordOfItsOwnAndOpenStaysBare) {
    for (TkxBIFFVersion version : {bvBIFF2, bvBIFF3, bvBIFF4, bvBIFF5}) {
        TkxNativeExcel w;
        w.setBIFF(version);
        w.Open();
        const QByteArray prolog = w.buffer();
        w.WriteCodePage(1252);
        EXPECT_TRUE(bytesEqual(w.buffer(), prolog + hexBytes("42 00 02 00 E4 04"))) << version;
        EXPECT_EQ(w.FontCount(), 0);
    }
}

// Every cell names format 0; the record that defines it takes the layout of
// the version the readers take the file for (the BOF's version word says
// 2.x except where the BOF itself is BIFF3's or BIFF4's).
TEST(NativeExcel, TheCellFormatRecordFollowsTheVersionReadersSee) {
    const std::pair<TkxBIFFVersion, const char*> cases[] = {
        {bvBIFF2, "43 00 04 00 00 00 40 00"},
        {bvBIFF3, "43 02 0C 00 00 00 01 00 00 00 00 00 00 00 00 00"},
        {bvBIFF4, "43 04 0C 00 00 00 01 00 00 00 00 00 00 00 00 00"},
        {bvBIFF5, "43 00 04 00 00 00 40 00"},
    };
    for (const auto& [version, bytes] : cases) {
        TkxNativeExcel w;
        w.setBIFF(version);
        w.Open();
        const QByteArray prolog = w.buffer();
        w.WriteCellFormat();
        EXPECT_TRUE(bytesEqual(w.buffer(), prolog + hexBytes(bytes))) << version;
    }
}

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
