// SPDX-License-Identifier: GPL-3.0-or-later
// Where the plan, the documents and the chart meet: every plan the dialog can
// make, in every document type of the format dialog, from the window and from
// twlc-export, and the chart of each.

#include "app/ChartWindow.h"
#include "app/ExportCli.h"
#include "app/MainWindow.h"
#include "chart/ChartWidget.h"
#include "export/kxExport.h"
#include "export/kxExportTypeTable.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Controls.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

using namespace twl;

namespace {

struct PlanCase {
    const char* name;
    PlanTexts plan;
    QStringList flags; // the same plan for twlc-export
};

const std::vector<PlanCase>& planCases() {
    static const std::vector<PlanCase> cases = {
        {"none", {}, {}},
        {"first date", {.firstDate = "2027-01-31"}, {"--first-date", "2027-01-31"}},
        {"first date + extra",
         {.firstDate = "2027-01-31", .extras = {"3=500"}},
         {"--first-date", "2027-01-31", "--extra", "3=500"}},
        {"first date + cent rounding",
         {.firstDate = "2027-01-31", .rounding = "cent"},
         {"--first-date", "2027-01-31", "--round", "cent"}},
        {"weekly + balloon",
         {.period = "weekly", .balloon = "200"},
         {"--period", "weekly", "--balloon", "200"}},
        {"payment mode + recurring extra",
         {.extraEach = {"50@2-4"}, .afterExtra = "payment"},
         {"--extra-each", "50@2-4", "--after-extra", "payment"}},
    };
    return cases;
}

class PlanCombinations : public test::MainWindowFixture {
protected:
    void SetUp() override {
        test::MainWindowFixture::SetUp();
        QDir(dir.path()).mkdir("language");
        QFile::copy(test::sourceDir() + QStringLiteral("/language/English.lng"),
                    dir.filePath("language/English.lng"));
    }

    QByteArray cli(const PlanCase& c, const QString& format) {
        QBuffer out, err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        const QStringList args = QStringList{"--amount", "1000",     "--months", "12", "--rate",
                                             "12",       "--format", format,     "-o", "-"} +
                                 c.flags;
        const int status = runExportCli(args, out, err);
        EXPECT_EQ(status, CliOk) << c.name << " " << format.toStdString() << " "
                                 << err.data().toStdString();
        return out.data();
    }
};

} // namespace

TEST_F(PlanCombinations, EveryPlanInEveryTypeFromTheWindowAndTheCommandLine) {
    for (const PlanCase& c : planCases()) {
        Tmainfrm form;
        form.plan = c.plan;
        form.amountedt->setText("1000");
        form.monthsedt->setText("12");
        form.interestedt->setText("12");
        form.calcbtnClick(nullptr);
        std::vector<TkxExportError> errors;
        form.loanexp->OnError = [&](QObject*, TkxExportError e) { errors.push_back(e); };

        for (int i = 0; i < kxExportTypeRowCount; ++i) {
            const TkxExportTypeRow* row = &kxExportTypeRows()[i];
            const TkxExportType type = row->Type;
            SCOPED_TRACE(std::string(c.name) + " " + row->Extension);
            errors.clear();
            form.loanexp->setExportType(type);
            form.loanexp->setExportStyle(xsFile);
            const QString path =
                dir.filePath(QStringLiteral("window.") + QLatin1String(row->Extension));
            QFile::remove(path);
            form.loanexp->setFileName(path);
            QGuiApplication::clipboard()->clear();
            // The clipboard's notice is answered as a user does.
            if (type == xtClipboard) test::answerNextModal([](QWidget* box) { box->close(); });
            form.loanexp->ExportData();
            EXPECT_TRUE(errors.empty()) << form.loanexp->LastErrorText().toStdString();
            if (type == xtClipboard) {
                // The clipboard's fixed-width text holds the same table.
                const QString text = QGuiApplication::clipboard()->text();
                EXPECT_TRUE(text.contains("SUM")) << text.toStdString();
                continue;
            }
            const QByteArray window = test::readFile(path);
            ASSERT_FALSE(window.isEmpty());
            EXPECT_TRUE(test::bytesEqual(cli(c, QLatin1String(row->CommandLineName)), window));
        }

        // The chart names its series by what they are, whatever the columns.
        form.chartbtnClick(nullptr);
        ASSERT_TRUE(form.chartWindow);
        const chart::ChartTexts& texts = form.chartWindow->chart->texts();
        EXPECT_EQ(texts.principal, "Principal") << c.name;
        EXPECT_EQ(texts.interest, "Interest") << c.name;
        EXPECT_EQ(texts.balance, "Balance") << c.name;
        EXPECT_FALSE(form.chartWindow->chart->data().empty()) << c.name;
        // Not yet laid out on a screen, the window's picture is twlc-export's.
        form.chartWindow->hide();
        const QString svg = dir.filePath("chart.svg");
        form.chartWindow->writePicture(svg);
        EXPECT_TRUE(test::bytesEqual(cli(c, "svg"), test::readFile(svg))) << c.name;
    }
}
