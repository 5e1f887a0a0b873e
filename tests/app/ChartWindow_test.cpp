// SPDX-License-Identifier: GPL-3.0-or-later
// The chart window as a user meets it: the Chart button, the note of an empty
// table, following each calculation, saving and copying the picture, closing
// with the main window; and twlc-export's pictures.

#include "app/ChartWindow.h"
#include "app/ChartWindowTexts.h"
#include "app/ExportCli.h"
#include "app/LanguageChoice.h"
#include "app/MainWindow.h"
#include "chart/ChartWidget.h"
#include "i18n/bsINIFile.h"
#include "tests/app/MainWindowFixture.h"
#include "toolkit/Controls.h"
#include "toolkit/ListView.h"
#include "widgets/LbSpeedButton.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QSvgRenderer>

using namespace twl;

namespace {

class ChartWindow : public test::MainWindowFixture {
protected:
    void calculate(Tmainfrm& form, const QString& amount, const QString& months,
                   const QString& rate) {
        form.amountedt->setText(amount);
        form.monthsedt->setText(months);
        form.interestedt->setText(rate);
        QTest::mouseClick(form.calcbtn, Qt::LeftButton);
    }
};

TEST_F(ChartWindow, TheButtonSitsLeftOfExportAndLooksLikeIt) {
    Tmainfrm form;
    EXPECT_EQ(form.chartbtn->Caption(), "C&hart");
    EXPECT_EQ(form.chartbtn->size(), form.expbtn->size());
    EXPECT_EQ(form.chartbtn->geometry().top(), form.expbtn->geometry().top());
    EXPECT_LT(form.chartbtn->geometry().right(), form.expbtn->geometry().left());
    EXPECT_EQ(form.chartbtn->Style(), form.expbtn->Style());
    EXPECT_EQ(form.chartbtn->focusPolicy(), Qt::TabFocus);
}

TEST_F(ChartWindow, TabReachesTheButtonAfterTheTableAndThePlan) {
    Tmainfrm form;
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.loanview->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.planbtn);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.chartbtn);
}

// Every word of the chart window is a key of the language files, so the
// shipped-languages check (each file has English's keys) covers them all.
TEST_F(ChartWindow, EveryWordIsAKeyOfTheLanguageFile) {
    const TbsINIFile english(test::ShippedLanguages + "English.lng");
    const QMetaObject& meta = TChartTexts::staticMetaObject;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QString key = QStringLiteral("charttexts.") + meta.property(i).name();
        EXPECT_FALSE(english.ReadString("Tmainfrm", key, "").isEmpty()) << key.toStdString();
    }
    EXPECT_TRUE(english.ReadString("Tmainfrm", "chartbtn.Caption", "").contains('&'));
}

TEST_F(ChartWindow, SpeaksTheWindowsLanguage) {
    test::RegionalScope german(QLatin1Char(','));
    dir.ship("Deutsch.lng");
    setCommandLineLanguage("Deutsch");
    {
        Tmainfrm form;
        calculate(form, "1000", "24", "7,5");
        form.chartbtnClick(nullptr);
        TChartWindow& w = *form.chartWindow;
        EXPECT_EQ(form.chartbtn->Caption(), "&Diagramm");
        EXPECT_EQ(w.windowTitle(), "Diagramm");
        EXPECT_EQ(w.savebtn->text(), "Bild &speichern...");
        const chart::ChartTexts& t = w.chart->texts();
        EXPECT_EQ(t.amountLabel, "Betrag: ");
        EXPECT_EQ((QStringList{t.principal, t.interest, t.balance}),
                  (QStringList{"Tilgung", "Zinsen", "Restschuld"}));
        EXPECT_TRUE(w.chart->accessibleDescription().startsWith(
            "24 Raten: insgesamt gezahlt 1079,99, Zinsen insgesamt 79,99, 8,00 % des Betrags."))
            << w.chart->accessibleDescription().toStdString();
    }
    setCommandLineLanguage(QString());
}

TEST_F(ChartWindow, AnEmptyTableShowsTheNoteAndNothingToSave) {
    Tmainfrm form;
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    // The mnemonic of its caption opens it as a click does.
    QTest::keyClick(&form, Qt::Key_H, Qt::AltModifier);
    ASSERT_TRUE(form.chartWindow);
    TChartWindow& w = *form.chartWindow;
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.isModal());
    EXPECT_TRUE(w.note->isVisible());
    EXPECT_EQ(w.note->text(), "Press Calculate to see the chart.");
    EXPECT_FALSE(w.chart->isVisible());
    EXPECT_FALSE(w.savebtn->isEnabled());
    EXPECT_FALSE(w.copybtn->isEnabled());
    EXPECT_EQ(w.windowTitle(), "Chart");
}

TEST_F(ChartWindow, FollowsEachCalculationAndClosesWithTheMainWindow) {
    Tmainfrm form;
    form.show();
    QTest::mouseClick(form.chartbtn, Qt::LeftButton);
    TChartWindow* w = form.chartWindow;
    ASSERT_TRUE(w);
    calculate(form, "1000", "24", "7.5");
    EXPECT_TRUE(w->chart->isVisible());
    EXPECT_TRUE(w->savebtn->isEnabled());
    EXPECT_EQ(w->chart->data().totals.payments, 24);
    EXPECT_EQ(form.loanview->cellText(24, 1),
              QStringLiteral("%1").arg(w->chart->data().totals.paid, 0, 'f', 2));
    EXPECT_TRUE(w->chart->accessibleDescription().startsWith("24 payments: total paid "));

    calculate(form, "250000", "360", "3.875");
    EXPECT_EQ(w->chart->data().totals.payments, 360);
    EXPECT_EQ(w->chart->data().years.size(), 30u);

    // A calculation that fails leaves no chart of the rows before it.
    test::answerNextModal([](QWidget* box) { box->close(); });
    calculate(form, "1000", "24", "x");
    EXPECT_TRUE(w->chart->data().empty());
    EXPECT_TRUE(w->note->isVisible());

    // Opening it again raises the same window.
    QTest::mouseClick(form.chartbtn, Qt::LeftButton);
    EXPECT_EQ(form.chartWindow, w);
    form.close();
    EXPECT_FALSE(w->isVisible());
}

TEST_F(ChartWindow, SavesPngOrSvgAndCopiesThePicture) {
    Tmainfrm form;
    calculate(form, "1000", "24", "7.5");
    form.chartbtnClick(nullptr);
    TChartWindow& w = *form.chartWindow;
    QString answer;
    QString askedFilters;
    w.askFileName = [&](const QString&, const QString& filters) {
        askedFilters = filters;
        return answer;
    };
    answer = dir.filePath("chart");
    QTest::mouseClick(w.savebtn, Qt::LeftButton);
    EXPECT_EQ(askedFilters, "PNG Pictures (*.png);;SVG Pictures (*.svg)");
    QImage png(dir.filePath("chart.png"));
    EXPECT_EQ(png.size(), w.chart->size() * w.devicePixelRatioF());

    answer = dir.filePath("chart.SVG");
    QTest::mouseClick(w.savebtn, Qt::LeftButton);
    EXPECT_TRUE(QSvgRenderer(dir.filePath("chart.SVG")).isValid());

    // A file that cannot be written is told, not passed over.
    answer = dir.filePath("missing/chart.png");
    QString told;
    test::answerNextModal([&](QWidget* box) {
        told = static_cast<QMessageBox*>(box)->text();
        box->close();
    });
    QTest::mouseClick(w.savebtn, Qt::LeftButton);
    EXPECT_TRUE(told.contains("missing/chart.png")) << told.toStdString();

    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(w.copybtn, Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(),
              w.chart->size() * w.devicePixelRatioF());
}

TEST_F(ChartWindow, ExportCommandWritesThePictures) {
    QDir(dir.path()).mkdir("language");
    for (const char* format : {"png", "svg", "PNG"}) {
        const QString out = dir.filePath(QStringLiteral("loan.%1").arg(format));
        QBuffer stdOut, stdErr;
        stdOut.open(QIODevice::WriteOnly);
        stdErr.open(QIODevice::WriteOnly);
        const int status = runExportCli({"--amount", "250000", "--months", "360", "--rate", "3.875",
                                         "--format", format, "--output", out},
                                        stdOut, stdErr);
        ASSERT_EQ(status, CliOk) << stdErr.data().toStdString();
        if (QString(format).toLower() == "svg") {
            QSvgRenderer svg(out);
            EXPECT_TRUE(svg.isValid());
            EXPECT_TRUE(test::readFile(out).contains("360 payments: total paid 423213.38"));
        } else {
            EXPECT_EQ(QImage(out).size(), QSize(960, 640));
        }
    }
    // No payments, nothing drawn: told, and no file left behind.
    QBuffer stdOut, stdErr;
    stdOut.open(QIODevice::WriteOnly);
    stdErr.open(QIODevice::WriteOnly);
    const QString none = dir.filePath("none.png");
    EXPECT_EQ(runExportCli({"--amount", "1000", "--months", "0", "--rate", "5", "--format", "png",
                            "-o", none},
                           stdOut, stdErr),
              CliCalculationFailed);
    EXPECT_EQ(stdErr.data(), "twlc-export: the schedule has no payments to draw\n");
    EXPECT_FALSE(QFile::exists(none));
}

} // namespace
