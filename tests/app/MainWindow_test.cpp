// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"
#include "app/SettingsFile.h"
#include "app/SplashWindow.h"
#include "base/ProgramFolder.h"
#include "export/kxExport.h"
#include "export/kxListViewExport.h"
#include "export/writers/kxWriterRegistry.h"
#include "i18n/bsPolyglotUn.h"
#include "i18n/bsPolyglotUnWindows.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/TestSupport.h"
#include "toolkit/ApplicationTitle.h"
#include "toolkit/Controls.h"
#include "toolkit/ListView.h"
#include "toolkit/Timer.h"
#include "widgets/LbSpeedButton.h"

#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

using namespace twl;

namespace {

class MainWindow : public test::MainWindowFixture {};

QStringList row(const TListView* view, int r) {
    QStringList cells;
    for (int c = 0; c < 5; ++c)
        cells << view->cellText(r, c);
    return cells;
}

} // namespace

TEST_F(MainWindow, LayoutFollowsTheDesign) {
    Tmainfrm form;
    EXPECT_EQ(form.Caption(), "Tarnwell - TWL-Calculator");
    EXPECT_EQ(form.objectName(), "mainfrm");
    EXPECT_STREQ(form.metaObject()->className(), "twl::Tmainfrm");
    EXPECT_EQ(form.amountedt->geometry(), QRect(8, 24, 121, 21));
    EXPECT_EQ(form.monthsedt->geometry(), QRect(160, 24, 73, 21));
    EXPECT_EQ(form.interestedt->geometry(), QRect(264, 24, 73, 21));
    EXPECT_EQ(form.amountedt->Color(), clSilver);
    EXPECT_EQ(form.calcbtn->geometry(), QRect(400, 4, 105, 41));
    EXPECT_EQ(form.expbtn->geometry(), QRect(308, 8, 97, 25));
    EXPECT_EQ(form.cancelbtn->geometry(), QRect(408, 8, 97, 25));
    for (TLbSpeedButton* b : {form.calcbtn, form.expbtn, form.cancelbtn}) {
        EXPECT_EQ(b->Style(), Lb::bsModern);
        EXPECT_EQ(b->Alignment(), Lb::taCenter);
        EXPECT_EQ(b->NumGlyphs(), 1);
        EXPECT_TRUE(b->UseHotTrackFont());
        EXPECT_EQ(b->HotTrackFont()->Color(), clBlue);
        EXPECT_TRUE(b->HotTrackFont()->Underline());
        EXPECT_FALSE(b->SlowDecease()); // the main window starts no fade thread
    }
    EXPECT_GT(form.calcbtn->Glyph().width(), form.expbtn->Glyph().width());
    EXPECT_EQ(form.calcbtn->Caption(), "&Calculate");
    EXPECT_EQ(form.expbtn->Caption(), "&Export");
    EXPECT_EQ(form.cancelbtn->Caption(), "C&lose");
    EXPECT_EQ(form.mpanel->height(), 49);
    EXPECT_EQ(form.bpanel->height(), 40);
    EXPECT_FALSE(form.messages->Visible());
    EXPECT_EQ(form.loanview->Color(), clWhite);
    EXPECT_TRUE(form.loanview->GridLines());
    const QStringList captions{"Payment #", "Payment", "Interest", "Principal", "Balance"};
    const QList<int> widths{70, 100, 100, 100, 100};
    ASSERT_EQ(form.loanview->Columns()->Count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(form.loanview->Columns()->column(i)->Caption(), captions[i]);
        EXPECT_EQ(form.loanview->Columns()->column(i)->Width(), widths[i]);
    }
    // Default bounds without a settings file.
    EXPECT_EQ(form.Left(), 0);
    EXPECT_EQ(form.Top(), 0);
    EXPECT_EQ(form.Width(), 533);
    EXPECT_EQ(form.Height(), 546);
    EXPECT_TRUE(form.titletimer->Enabled()); // started by FormCreate
}

TEST_F(MainWindow, TypingAndCalculatingFillsTheTable) {
    Tmainfrm form;
    form.show();
    QTest::keyClicks(form.amountedt, "1000");
    QTest::keyClicks(form.monthsedt, "12");
    QTest::keyClicks(form.interestedt, "12");
    QTest::mouseClick(form.calcbtn, Qt::LeftButton);
    ASSERT_EQ(form.loanview->itemCount(), 14);
    EXPECT_EQ(row(form.loanview, 0), (QStringList{"1", "88.85", "10.00", "78.85", "921.15"}));
    EXPECT_EQ(row(form.loanview, 12), (QStringList{"SUM", "1066.19", "66.19", "1000.00", "-"}));
    // No language file: the inputs row carries only the values.
    EXPECT_EQ(row(form.loanview, 13), (QStringList{"", "1000", "12", "12", "2026-12-07"}));

    // Labels come from lines 98 to 102 of the hidden text list.
    QStringList lines;
    for (int i = 0; i < 98; ++i)
        lines << QString();
    lines << "Inputs"
          << "Amount: "
          << "Months: "
          << "Rate: "
          << "On ";
    form.messages->Lines()->setStrings(lines);
    QTest::mouseClick(form.calcbtn, Qt::LeftButton);
    ASSERT_EQ(form.loanview->itemCount(), 14);
    EXPECT_EQ(row(form.loanview, 13),
              (QStringList{"Inputs", "Amount: 1000", "Months: 12", "Rate: 12", "On 2026-12-07"}));

    // An empty box empties the table and says nothing.
    form.interestedt->clear();
    QTest::mouseClick(form.calcbtn, Qt::LeftButton);
    EXPECT_EQ(form.loanview->itemCount(), 0);
}

TEST_F(MainWindow, ErrorsAreShownWithTheApplicationTitleAndTheRowsSoFarStay) {
    setApplicationTitle("Twlc");
    Tmainfrm form;
    test::writeFile(iniPath(), "[Settings]\nDecimal=abc\n");
    form.amountedt->setText("1000");
    form.monthsedt->setText("12");
    form.interestedt->setText("12");
    QString caption, text;
    test::answerNextModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        text = box->text();
        box->accept();
    });
    QTest::mouseClick(form.calcbtn, Qt::LeftButton);
    EXPECT_EQ(caption, "Twlc");
    EXPECT_EQ(text, "'abc' is not a valid integer value.");
    ASSERT_EQ(form.loanview->itemCount(), 1);
    EXPECT_EQ(row(form.loanview, 0), (QStringList{"1", "", "", "", ""}));
}

// "Decimal" is read once per calculation: a change of the file between two
// clicks shows in the next table, whatever the settings cache holds.
TEST_F(MainWindow, EachCalculateReadsTheDecimalSettingAgain) {
    Tmainfrm form;
    form.amountedt->setText("1000");
    form.monthsedt->setText("12");
    form.interestedt->setText("12");
    test::writeFile(iniPath(), "[Settings]\nDecimal=3\n");
    QTest::mouseClick(form.calcbtn, Qt::LeftButton);
    EXPECT_EQ(row(form.loanview, 0), (QStringList{"1", "88.849", "10.000", "78.849", "921.151"}));
    test::writeFile(iniPath(), "[Settings]\nDecimal=0\n");
    QTest::mouseClick(form.calcbtn, Qt::LeftButton);
    EXPECT_EQ(row(form.loanview, 0), (QStringList{"1", "89", "10", "79", "921"}));
    EXPECT_EQ(row(form.loanview, 12), (QStringList{"SUM", "1066", "66", "1000", "-"}));
}

TEST_F(MainWindow, BoundsAreStoredAtCloseAndRestoredAtStart) {
    {
        Tmainfrm form;
        form.setLeft(40);
        form.setTop(30);
        form.setWidth(600);
        form.setHeight(480);
        form.close();
    }
    SettingsFile s(iniPath());
    EXPECT_EQ(s.ReadInteger("Position", "Top", -1), 30);
    EXPECT_EQ(s.ReadInteger("Position", "Left", -1), 40);
    EXPECT_EQ(s.ReadInteger("Position", "Height", -1), 480);
    EXPECT_EQ(s.ReadInteger("Position", "Width", -1), 600);
    Tmainfrm again;
    EXPECT_EQ(again.Left(), 40);
    EXPECT_EQ(again.Top(), 30);
    EXPECT_EQ(again.Width(), 600);
    EXPECT_EQ(again.Height(), 480);

    test::writeFile(iniPath(), "[Position]\nTop=0x20\nLeft=abc\n");
    Tmainfrm hexTop;
    EXPECT_EQ(hexTop.Top(), 32);
    EXPECT_EQ(hexTop.Left(), 0);
}

TEST_F(MainWindow, CloseButtonClosesAndWritesTheSettings) {
    Tmainfrm form;
    form.show();
    QTest::mouseClick(form.cancelbtn, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(QFile::exists(iniPath()));
}

TEST_F(MainWindow, TitleTimerSetsTheApplicationTitleOnce) {
    Tmainfrm form;
    form.titletimerTimer(form.titletimer);
    EXPECT_FALSE(form.titletimer->Enabled());
    EXPECT_EQ(applicationTitle(), QString::fromUtf8("TWL-Calculator\u00AE"));
}

TEST_F(MainWindow, IsTranslatedFromTheLanguageFolderBesideTheProgram) {
    QDir(dir.path()).mkdir("language");
    QStringList lines;
    for (int i = 0; i < 98; ++i)
        lines << "''";
    lines << "'Eingaben'"
          << "'Betrag '"
          << "'Monate '"
          << "'Zins '"
          << "'Datum '";
    test::writeFile(dir.filePath("language/Deutsch.lng"),
                    "[Tmainfrm]\r\n"
                    "Caption='Tarnwell - Kreditrechner'\r\n"
                    "amountlbl.Caption='Kreditbetrag'\r\n"
                    "calcbtn.Caption='Berechnen'\r\n"
                    "loanview.Columns.Items(4).Caption='Restschuld'\r\n"
                    "loanexp.Messages.Caption='Zeitplan exportieren'\r\n"
                    "messages.Lines.Strings=" +
                        lines.join(',').toLatin1() + "\r\n");
    Tmainfrm form;
    EXPECT_EQ(form.lngmanager->CurrentLang(), "Deutsch");
    EXPECT_EQ(form.Caption(), "Tarnwell - Kreditrechner");
    EXPECT_EQ(form.amountlbl->Caption(), "Kreditbetrag");
    EXPECT_EQ(form.monthlbl->Caption(), "# of Months"); // not in the file: kept
    EXPECT_EQ(form.calcbtn->Caption(), "Berechnen");
    EXPECT_EQ(form.loanview->Columns()->column(4)->Caption(), "Restschuld");
    EXPECT_EQ(form.loanexp->Messages()->Caption, "Zeitplan exportieren");
    form.amountedt->setText("1000");
    form.monthsedt->setText("12");
    form.interestedt->setText("12");
    form.calcbtnClick(nullptr);
    ASSERT_EQ(form.loanview->itemCount(), 14);
    EXPECT_EQ(row(form.loanview, 13),
              (QStringList{"Eingaben", "Betrag 1000", "Monate 12", "Zins 12", "Datum 2026-12-07"}));
}

TEST_F(MainWindow, ExportsTheCalculatedTable) {
    Tmainfrm form;
    form.amountedt->setText("1000");
    form.monthsedt->setText("12");
    form.interestedt->setText("12");
    form.calcbtnClick(nullptr);
    EXPECT_EQ(form.loanexp->ListView(), form.loanview);
    EXPECT_EQ(form.loanexp->DateFormat(), "yyyy.MM.dd.");
    form.loanexp->setExportType(xtCSV);
    form.loanexp->setExportStyle(xsFile);
    form.loanexp->setFileName(dir.filePath("schedule.csv"));
    form.loanexp->ExportData();
    const QByteArray csv = test::readFile(dir.filePath("schedule.csv"));
    EXPECT_TRUE(csv.startsWith(
        "\"Payment #\",Payment,Interest,Principal,Balance\r\n1,88.85,10.00,78.85,921.15\r\n"));
    EXPECT_TRUE(csv.endsWith("SUM,1066.19,66.19,1000.00,-\r\n,1000,12,12,2026-12-07\r\n"));
}

TEST(SplashWindow, DesignedLook) {
    Tsplashfrm splash;
    EXPECT_EQ(splash.size(), QSize(326, 111));
    EXPECT_EQ(splash.Color(), clMaroon);
    EXPECT_EQ(splash.Label1->Caption(), "Tarnwell");
    EXPECT_EQ(splash.Label2->geometry(), QRect(16, 48, 290, 20));
    EXPECT_EQ(splash.Label3->Caption(), "v1.0.0.0");
    EXPECT_TRUE(splash.Label1->Font()->Bold());
    EXPECT_EQ(splash.Label1->Font()->Color(), clWhite);
}
