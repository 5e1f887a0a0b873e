// SPDX-License-Identifier: GPL-3.0-or-later
// Where the plan, the documents and the chart meet: every plan the dialog can
// make, with and without what the loan costs, in every document type of the
// format dialog, from the window and from twlc-export, and the chart of each.

#include "app/ChartWindow.h"
#include "app/CostLabels.h"
#include "app/ExportCli.h"
#include "app/MainWindow.h"
#include "app/PlanDialogSolve.h"
#include "app/PlanDialogSolveBoxes.h"
#include "chart/ChartLayout.h"
#include "chart/ChartOutput.h"
#include "chart/ChartWidget.h"
#include "export/kxExport.h"
#include "export/kxExportTypeTable.h"
#include "export/kxListViewExport.h"
#include "i18n/bsPolyglotUnWindows.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Controls.h"
#include "toolkit/ListView.h"

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
    CostTexts cost{};  // what the loan costs, in the same flags
    // The input solved from the plan's payment: its box in the window, its
    // flag left out of twlc-export's.
    const char* solveFor = "";
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
        {"fees both ways, long first period, US rule",
         {.firstDate = "2027-01-31"},
         {"--first-date", "2027-01-31", "--fee", "25", "--fee", "40:financed", "--loan-date",
          "2026-12-20", "--apr", "us"},
         {.fees = {"25", "40:financed"}, .loanDate = "2026-12-20", .rule = "us"}},
        {"extra + fee, EU rule",
         {.extras = {"3=500"}},
         {"--extra", "3=500", "--fee", "15", "--apr", "eu"},
         {.fees = {"15"}, .rule = "eu"}},
        {"cent rounding, short first period, the regional rule",
         {.firstDate = "2027-01-31", .rounding = "cent"},
         {"--first-date", "2027-01-31", "--round", "cent", "--loan-date", "2027-01-15"},
         {.loanDate = "2027-01-15"}},
        {"solve the amount", {.payment = "88.85"}, {"--payment", "88.85"}, {}, "amount"},
        {"solve the number of payments, dated",
         {.firstDate = "2027-01-31", .payment = "100"},
         {"--first-date", "2027-01-31", "--payment", "100"},
         {},
         "months"},
        {"solve the rate, with a fee",
         {.payment = "90"},
         {"--payment", "90", "--fee", "20"},
         {.fees = {"20"}},
         "rate"},
        {"rate changes, the term changes, cent rounding",
         {.rounding = "cent", .rateChanges = {"4=9", "8=15"}, .afterRateChange = "term"},
         {"--round", "cent", "--rate-change", "4=9", "--rate-change", "8=15", "--after-rate-change",
          "term"}},
        {"rate change by date, the payment recomputed",
         {.firstDate = "2027-01-31", .rateChanges = {"2027-06-15=6"}},
         {"--first-date", "2027-01-31", "--rate-change", "2027-06-15=6"}},
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
        QStringList args{"--format", format, "-o", "-"};
        // The loan as typed in the window; the solved input is left out.
        for (const auto& [flag, value] :
             {std::pair{"--amount", "1000"}, {"--months", "12"}, {"--rate", "12"}})
            if (QLatin1String(flag).mid(2) != QLatin1String(c.solveFor)) args << flag << value;
        args << c.flags;
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
        form.cost = c.cost;
        form.amountedt->setText("1000");
        form.monthsedt->setText("12");
        form.interestedt->setText("12");
        form.solveFor = c.solveFor;
        form.solveboxes->setSolved(solvedInput(form.solveFor));
        form.calcbtnClick(nullptr);
        // The solved input's box shows the answer, read-only; the others stay typed.
        for (TEdit* box : {form.amountedt, form.monthsedt, form.interestedt}) {
            const bool solved =
                box == std::array<TEdit*, 4>{
                           nullptr, form.amountedt, form.monthsedt,
                           form.interestedt}[static_cast<std::size_t>(solvedInput(c.solveFor))];
            EXPECT_EQ(box->isReadOnly(), solved) << c.name;
            EXPECT_FALSE(box->text().isEmpty()) << c.name;
        }
        // The cost row ends the table and shows in full under it.
        const int last = form.loanview->itemCount() - 1;
        QStringList costCells;
        for (int col = 1; col < form.loanview->Columns()->Count(); ++col)
            if (!form.loanview->cellText(last, col).isEmpty())
                costCells << form.loanview->cellText(last, col);
        const bool costed = !c.cost.isEmpty();
        EXPECT_EQ(form.loanview->itemCaption(last) == form.costlabels->Caption, costed) << c.name;
        EXPECT_EQ(form.costsummary->isVisibleTo(&form), costed) << c.name;
        if (costed) {
            // Each figure kept on one line: its blanks do not break.
            EXPECT_EQ(form.costsummary->text().replace(QChar(0xA0), ' '),
                      form.costlabels->Caption + ": " + costCells.join(" \u2022 "))
                << c.name;
        }
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
        // The chart's header ends with the table's cost row.
        const chart::ChartLayout layout =
            chart::layoutChart(form.chartWindow->chart->data(), texts, chart::DefaultPictureSize,
                               chart::defaultChartFont());
        ASSERT_FALSE(layout.lines.empty());
        EXPECT_EQ(layout.lines.back().text.endsWith(costCells.value(3, "-")), costed)
            << c.name << " " << layout.lines.back().text.toStdString();
        // Not yet laid out on a screen, the window's picture is twlc-export's.
        form.chartWindow->hide();
        const QString svg = dir.filePath("chart.svg");
        form.chartWindow->writePicture(svg);
        EXPECT_TRUE(test::bytesEqual(cli(c, "svg"), test::readFile(svg))) << c.name;
    }
}
