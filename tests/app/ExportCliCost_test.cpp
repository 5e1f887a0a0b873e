// SPDX-License-Identifier: GPL-3.0-or-later
// twlc-export and what the loan costs: the fee, loan-date and rule flags, the
// row they add in the user's language, and their refusals.

#include "base/RegionalSettings.h"
#include "tests/app/ExportCommandFixture.h"

using namespace twl;

namespace {

using CostRun = test::CliRun;

class ExportCommandCost : public test::ExportCommandFixture {
protected:
    CostRun run(const QStringList& extra) {
        return runCommand(QStringList{"--amount", "1000", "--months", "12", "--rate", "12",
                                      "--format", "csv", "-o", "-"} +
                          extra);
    }
    // The document's last line.
    static QByteArray lastLine(const QByteArray& document) {
        const QList<QByteArray> lines = document.trimmed().split('\n');
        return lines.isEmpty() ? QByteArray() : lines.back().trimmed();
    }

    test::RegionalScope regional{QLatin1Char('.'), QStringLiteral("yyyy-MM-dd")};
    test::ClockScope clock{QDateTime(QDate(2026, 12, 7), QTime(9, 30))};
};

} // namespace

// Hand-worked: 1000 at 12 % over 12 months pays 1066.19 in all; a fee of 50
// paid at the start leaves 950 financed (APR 21.86 %, APRC 24.18 %).
TEST_F(ExportCommandCost, TheFlagsAddTheRowLast) {
    const std::vector<std::pair<QStringList, QByteArray>> cases = {
        {{"--apr", "us"},
         "\"Cost of credit\",\"Amount financed: 1000.00\",\"Finance charge: 66.19\","
         "\"Total of payments: 1066.19\",\"APR: 12.00 %\""},
        {{"--fee", "50", "--apr=us"},
         "\"Cost of credit\",\"Amount financed: 950.00\",\"Finance charge: 116.19\","
         "\"Total of payments: 1066.19\",\"APR: 21.86 %\""},
        {{"--fee=50", "--apr", "EU"},
         "\"Cost of credit\",\"Amount financed: 950.00\",\"Finance charge: 116.19\","
         "\"Total of payments: 1066.19\",\"APRC: 24.18 %\""},
        // After the comparison row; the Due column leaves the row's cells as they are.
        {{"--apr", "us", "--first-date", "2027-01-10", "--loan-date", "2026-12-10", "--round",
          "cent"},
         "\"Cost of credit\",\"Amount financed: 1000.00\",\"Finance charge: 66.19\","
         "\"Total of payments: 1066.19\",\"APR: 12.00 %\","},
        {{"--language", "francais", "--fee", "50", "--apr", "eu"},
         "\"Co\xFBt du cr\xE9"
         "dit\",\"Montant financ\xE9 : 950.00\",\"Co\xFBt total du cr\xE9"
         "dit : 116.19\",\"Montant total d\xFB : 1066.19\",\"TAEG : 24.18 %\""},
    };
    // A financed fee is borrowed: the inputs row names the amount with it.
    const CostRun financed = run({"--fee", "50:financed", "--apr", "us"});
    EXPECT_TRUE(financed.out.contains("\"Amount: 1050\""));
    EXPECT_TRUE(
        lastLine(financed.out).startsWith("\"Cost of credit\",\"Amount financed: 1000.00\""));
    // The last case changes the language of the runs after it.
    for (const auto& [flags, row] : cases) {
        const CostRun r = run(flags);
        ASSERT_EQ(r.status, CliOk) << r.err.toStdString();
        EXPECT_EQ(lastLine(r.out), row) << flags.join(' ').toStdString();
    }
}

// Without the rule asked for, the regional settings choose it.
TEST_F(ExportCommandCost, TheRuleFollowsTheRegion) {
    for (const auto& [territory, label] :
         {std::pair{QLocale::UnitedStates, QByteArray("\"APR: ")},
          std::pair{QLocale::Germany, QByteArray("\"APRC: ")},
          std::pair{QLocale::AnyTerritory, QByteArray("\"APRC: ")}}) {
        RegionalSettings settings = regionalSettings();
        settings.territory = territory;
        setRegionalSettings(settings);
        EXPECT_TRUE(lastLine(run({"--fee", "10"}).out).contains(label)) << territory;
    }
}

// One line that names the flag, exit status 2, nothing written.
TEST_F(ExportCommandCost, BadCostValuesExitTwoNamingTheFlag) {
    const std::vector<std::pair<QStringList, QString>> cases = {
        {{"--fee", "1,5"}, "--fee: Fee 1: '1,5' is not AMOUNT or AMOUNT:financed"},
        {{"--fee", "5:paid"}, "--fee: Fee 1: '5:paid' is not AMOUNT or AMOUNT:financed"},
        {{"--fee", "0"}, "--fee: Fee 1: the amount 0 is not more than 0"},
        {{"--fee", "900", "--fee", "100"},
         "--fee: Fees: those paid at the start (1000) leave nothing of the amount (1000) to "
         "finance"},
        {{"--loan-date", "2027-1-1"},
         "--loan-date: Loan date: '2027-1-1' is not a date "
         "(YYYY-MM-DD)"},
        {{"--loan-date", "2027-01-01"},
         "--loan-date: Loan date: 2027-01-01 needs a first payment date"},
        {{"--first-date", "2027-01-31", "--loan-date", "2027-02-01"},
         "--loan-date: Loan date: 2027-02-01 is after the first payment (2027-01-31)"},
        {{"--apr", "fr"}, "--apr: APR rule: 'fr' is not one of us, eu"},
    };
    for (const auto& [flags, line] : cases) {
        const CostRun r = run(flags);
        EXPECT_EQ(r.status, CliUsage) << line.toStdString();
        EXPECT_EQ(r.err, "twlc-export: " + line + "\n");
        EXPECT_TRUE(r.out.isEmpty());
    }
    const QByteArray help = run({"--help"}).out;
    for (const char* flag : {"--fee AMOUNT[:financed]", "--loan-date YYYY-MM-DD", "--apr us|eu"})
        EXPECT_TRUE(help.contains(flag)) << flag;
}
