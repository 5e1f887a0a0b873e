// SPDX-License-Identifier: GPL-3.0-or-later
// The workbook writer's records, byte for byte.
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
