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

// A first date puts a Due column before the figures: the legend, the axis and
// what Save picture writes still name each series by what it is.
TEST_F(ChartWindow, NamesEachSeriesByItsRoleWhateverTheColumns) {
    dir.ship("English.lng");
    dir.ship("Deutsch.lng");
    struct Case {
        const char* language;
        QChar separator;
        QStringList names; // principal, interest, balance
        QString payment;   // the Payment column's caption, never a series' name
    } cases[] = {
        {"English", '.', {"Principal", "Interest", "Balance"}, "Payment"},
        {"Deutsch", ',', {"Tilgung", "Zinsen", "Restschuld"}, "Rate"},
    };
    for (const Case& c : cases) {
        test::RegionalScope regional(c.separator);
        setCommandLineLanguage(c.language);
        Tmainfrm form;
        form.plan.firstDate = "2027-01-31";
        calculate(form, "1000", "24", "12");
        ASSERT_EQ(form.loanview->Columns()->Count(), 6);
        form.chartbtnClick(nullptr);
        TChartWindow& w = *form.chartWindow;
        const chart::ChartTexts& t = w.chart->texts();
        EXPECT_EQ((QStringList{t.principal, t.interest, t.balance}), c.names) << c.language;
        const QString svg = dir.filePath("dated.svg");
        w.writePicture(svg);
        const QByteArray picture = test::readFile(svg);
        for (const QString& name : c.names)
            EXPECT_TRUE(picture.contains(">" + name.toUtf8() + "<")) << c.language;
        EXPECT_FALSE(picture.contains(">" + c.payment.toUtf8() + "<")) << c.language;
    }
    setCommandLineLanguage(QString());
}

TEST_F(ChartWindow, EscapeCtrlWAndItsCloseButtonCloseIt) {
    Tmainfrm form;
    form.show();
    const std::pair<const char*, std::function<void(TChartWindow&)>> ways[] = {
        {"Escape", [](TChartWindow& w) { QTest::keyClick(&w, Qt::Key_Escape); }},
        {"Ctrl+W", [](TChartWindow& w) { QTest::keyClick(&w, Qt::Key_W, Qt::ControlModifier); }},
        {"Alt+L", [](TChartWindow& w) { QTest::keyClick(&w, Qt::Key_L, Qt::AltModifier); }},
        {"Space on Close",
         [](TChartWindow& w) {
             w.closebtn->setFocus();
             QTest::keyClick(w.closebtn, Qt::Key_Space);
         }},
    };
    for (const auto& [name, press] : ways) {
        form.chartbtnClick(nullptr);
        TChartWindow& w = *form.chartWindow;
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w)) << name;
        EXPECT_EQ(w.closebtn->text(), "C&lose");
        EXPECT_EQ(w.closebtn->shortcut().toString().toStdString(), "Alt+L");
        press(w);
        // A mnemonic presses its button as a click does, which takes a moment.
        EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isVisible(); }, 5000)) << name;
    }
    EXPECT_TRUE(form.isVisible());
}

TEST_F(ChartWindow, SaysWhyThereIsNoChart) {
    struct Case {
        const char* amount;
        const char* months;
        const char* rate;
        const char* note;
    } cases[] = {
        {"", "", "", "Press Calculate to see the chart."},
        {"1000", "24", "x", "The calculation failed: there is no chart to show."},
        {"1000", "0", "12", "The schedule has no payments to draw."},
    };
    Tmainfrm form;
    form.show();
    form.chartbtnClick(nullptr);
    TChartWindow& w = *form.chartWindow;
    for (const Case& c : cases) {
        calculate(form, "1000", "24", "7.5"); // a chart first, which each case replaces
        if (QString(c.rate) == "x") test::answerNextModal([](QWidget* box) { box->close(); });
        calculate(form, c.amount, c.months, c.rate);
        EXPECT_TRUE(w.note->isVisible()) << c.note;
        EXPECT_EQ(w.note->text(), c.note);
        EXPECT_FALSE(w.savebtn->isEnabled()) << c.note;
    }
}

} // namespace
