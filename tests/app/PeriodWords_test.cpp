// SPDX-License-Identifier: GPL-3.0-or-later
// The number of payments is named in the plan's period, in the inputs row of
// the window and of every document, and in the chart's header: 260 weeks do
// not read as 260 months. Monthly keeps the window's own "Months: ".

#include "app/ExportCli.h"
#include "app/MainWindow.h"
#include "tests/app/MainWindowFixture.h"
#include "toolkit/Controls.h"
#include "toolkit/ListView.h"

#include <QBuffer>

using namespace twl;

namespace {

class PeriodWords : public test::MainWindowFixture {};

struct PeriodCase {
    const char* language;
    const char* period;
    const char* label;
};

} // namespace

TEST_F(PeriodWords, TheInputsRowAndTheChartNameThePeriod) {
    const PeriodCase cases[] = {
        {"English", "monthly", "Months: 12"},     {"English", "weekly", "Weeks: 12"},
        {"English", "quarterly", "Quarters: 12"}, {"Deutsch", "biweekly", "Doppelwochen: 12"},
        {"Francais", "yearly", "Années : 12"},    {"Deutsch", "monthly", "Monate: 12"},
    };
    dir.ship("English.lng");
    dir.ship("Deutsch.lng");
    dir.ship("Francais.lng");
    for (const PeriodCase& c : cases) {
        SCOPED_TRACE(std::string(c.language) + " " + c.period);
        const QString label = QString::fromUtf8(c.label);
        test::writeFile(iniPath(), QByteArray("[Settings]\r\nLanguage=") + c.language +
                                       "\r\n[Plan]\r\nPeriod=" + c.period + "\r\n");
        {
            TbsCorePolyglot::Release();
            TbsCorePolyglot::Create();
            Tmainfrm form;
            form.amountedt->setText("1000");
            form.monthsedt->setText("12");
            form.interestedt->setText("12");
            form.calcbtnClick(nullptr);
            ASSERT_EQ(form.loanview->itemCount(), 14);
            EXPECT_EQ(form.loanview->cellText(13, 2), label);
        }
        TbsCorePolyglot::Release();
        for (const char* format : {"csv", "svg"}) {
            QBuffer out, err;
            out.open(QIODevice::WriteOnly);
            err.open(QIODevice::WriteOnly);
            ASSERT_EQ(runExportCli(QStringList{"--amount", "1000", "--months", "12", "--rate", "12",
                                               "--period", c.period, "--format", format, "-o", "-"},
                                   out, err),
                      CliOk)
                << err.data().toStdString();
            // CSV is written in the code page, SVG in UTF-8.
            const QString document = QByteArray(format) == "csv" ? QString::fromLatin1(out.data())
                                                                 : QString::fromUtf8(out.data());
            EXPECT_TRUE(document.contains(label)) << format;
            TbsCorePolyglot::Release();
        }
        TbsCorePolyglot::Create();
    }
}
