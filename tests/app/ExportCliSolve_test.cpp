// SPDX-License-Identifier: GPL-3.0-or-later
// twlc-export with a payment given (one input solved) and rate changes: the
// inputs row marks what was solved, in the user's language, and bad values
// are one line naming the flag.

#include "tests/app/ExportCommandFixture.h"

using namespace twl;

namespace {

using SolveRun = test::CliRun;

class ExportCommandSolve : public test::ExportCommandFixture {
protected:
    SolveRun run(const QStringList& args) {
        return runCommand(args + QStringList{"--format", "csv", "-o", "-"});
    }
    // The document's line that starts with `start`.
    static QByteArray line(const QByteArray& document, const QByteArray& start) {
        for (const QByteArray& l : document.split('\n'))
            if (l.startsWith(start)) return l.trimmed();
        return {};
    }

    test::ClockScope clock{QDateTime(QDate(2026, 12, 7), QTime(9, 30))};
};

} // namespace

// The README's questions: the solved input in the inputs row, as the
// regional settings write it, marked in the language of the run.
TEST_F(ExportCommandSolve, TheSolvedInputIsShownMarked) {
    struct Case {
        QChar separator;
        QStringList args;
        QByteArray inputs, last;
    };
    const Case cases[] = {
        {QLatin1Char('.'),
         {"--payment", "1500", "--months", "360", "--rate", "6"},
         "Inputs:,\"Amount: 250187.421588503 (solved)\",\"Months: 360\",\"Rate (%): 6\"",
         "360,1500.00,"},
        {QLatin1Char('.'),
         {"--payment", "2000", "--amount", "100000", "--rate", "6"},
         "Inputs:,\"Amount: 100000\",\"Months: 58 (solved)\",\"Rate (%): 6\"",
         "58,1361.36,6.77,1354.58,0.00"},
        {QLatin1Char('.'),
         {"--payment", "1199.10", "--amount", "100000", "--months", "120", "--round", "cent"},
         "Inputs:,\"Amount: 100000\",\"Months: 120\",\"Rate (%): 7.7308337329702 (solved)\"",
         "120,1199."},
        {QLatin1Char(','),
         {"--language", "deutsch", "--payment", "1500", "--months", "360", "--rate", "6", "--round",
          "cent"},
         "250187,42 (berechnet)",
         "360,"},
    };
    for (const Case& c : cases) {
        test::RegionalScope regional{c.separator, QStringLiteral("yyyy-MM-dd")};
        const SolveRun r = run(c.args);
        ASSERT_EQ(r.status, CliOk) << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(c.inputs)) << r.out.right(300).toStdString();
        EXPECT_TRUE(r.out.contains("\n" + c.last)) << c.last.toStdString();
    }
}

// Fixed for five years, then 7 %: the payment of the 300 payments left, or
// the payment kept and the loan 75 payments longer.
TEST_F(ExportCommandSolve, RateChangesByNumberOrDate) {
    test::RegionalScope regional{QLatin1Char('.'), QStringLiteral("yyyy-MM-dd")};
    const QStringList loan{"--amount", "100000", "--months", "360", "--rate", "4"};
    const SolveRun byNumber = run(loan + QStringList{"--rate-change", "61=7"});
    ASSERT_EQ(byNumber.status, CliOk) << byNumber.err.toStdString();
    EXPECT_EQ(line(byNumber.out, "61,"), "61,639.26,527.61,111.65,90335.86");
    EXPECT_TRUE(line(byNumber.out, "360,").endsWith(",0.00"));
    const SolveRun byDate =
        run(loan + QStringList{"--first-date", "2027-01-01", "--rate-change=2031-12-15=7"});
    ASSERT_EQ(byDate.status, CliOk) << byDate.err.toStdString();
    EXPECT_EQ(line(byDate.out, "61,"), "61,2032-01-01,639.26,527.61,111.65,90335.86");
    const SolveRun kept =
        run(loan + QStringList{"--rate-change", "61=5", "--after-rate-change", "term"});
    ASSERT_EQ(kept.status, CliOk) << kept.err.toStdString();
    EXPECT_TRUE(line(kept.out, "61,").startsWith("61,477.42,"));
    EXPECT_FALSE(line(kept.out, "435,").isEmpty());
    EXPECT_TRUE(line(kept.out, "436,").isEmpty());
}

// One line that names the flag, exit status 2, nothing written.
TEST_F(ExportCommandSolve, BadValuesExitTwoNamingTheFlag) {
    test::RegionalScope regional{QLatin1Char('.'), QStringLiteral("yyyy-MM-dd")};
    const QString which = "--payment: give the payment with exactly two of the loan amount, the "
                          "number of payments and the rate";
    const std::vector<std::pair<QStringList, QString>> cases = {
        {{"--payment", "500", "--amount", "1000", "--months", "12", "--rate", "6"}, which},
        {{"--payment", "500", "--amount", "1000"}, which},
        {{"--payment", "5,0", "--amount", "1000", "--months", "12"},
         "--payment: Payment: '5,0' is not a valid floating point value"},
        {{"--payment", "0", "--amount", "1000", "--months", "12"},
         "--payment: Payment: the amount 0 is not more than 0"},
        {{"--payment", "5", "--amount", "1000", "--rate", "6"},
         "--payment: Payment: the payment 5 does not cover the first period's interest (5)"},
        {{"--payment", "5.001", "--amount", "1000", "--months", "12", "--round", "cent"},
         "--payment: Payment: the amount 5.001 has a fraction of a cent; a rounded plan takes "
         "whole cents"},
        {{"--amount", "1000", "--months", "12", "--rate", "6", "--rate-change", "5"},
         "--rate-change: Rate change 1: '5' is not PERIOD=AMOUNT"},
        {{"--amount", "1000", "--months", "12", "--rate", "6", "--rate-change", "13=5"},
         "--rate-change: Rate change 1: the period 13 is after the last payment (12)"},
        {{"--amount", "1000", "--months", "12", "--rate", "6", "--rate-change", "2027-01-01=5"},
         "--rate-change: Rate change 1: the date 2027-01-01 needs a first payment date"},
        {{"--amount", "1000", "--months", "12", "--rate", "6", "--rate-change", "2=5",
          "--rate-change", "3=1200", "--after-rate-change", "term"},
         "--rate-change: Rate change 2: the payment 86.0664297070809 does not cover the interest "
         "(836.696030462059) at the rate 1200"},
        {{"--amount", "1000", "--months", "12", "--rate", "6", "--after-rate-change", "length"},
         "--after-rate-change: After a rate change: 'length' is not one of payment, term"},
        {{"--amount", "1000", "--months", "12", "--rate", "6", "--rate-change="},
         "--rate-change: the value is empty"},
        {{"--payment", "1", "--payment", "2", "--amount", "1000", "--months", "12"},
         "--payment is given more than once"},
    };
    for (const auto& [flags, message] : cases) {
        const SolveRun r = run(flags);
        EXPECT_EQ(r.status, CliUsage) << message.toStdString();
        EXPECT_EQ(r.err, "twlc-export: " + message + "\n");
        EXPECT_TRUE(r.out.isEmpty());
    }
    const QByteArray help = run({"--help"}).out;
    for (const char* flag :
         {"--payment AMOUNT", "--rate-change PERIOD=RATE", "--after-rate-change payment|term"})
        EXPECT_TRUE(help.contains(flag)) << flag;
}
