// SPDX-License-Identifier: GPL-3.0-or-later
// The plan against a reference of its own, written from the documented rules
// alone: random plans over every option, period kind, after-extra mode and
// rounding, compared cell by cell. The reference keeps a rounded plan in
// integer cents with the rate as an exact fraction, and an exact plan in
// extended precision, compared within a hair.
#include "base/Exceptions.h"
#include "loan/PlanSchedule.h"
#include "loan/PlanText.h"
#include "tests/loan/ExactCents.h"
#include "tests/loan/TableSink.h"
#include "tests/support/TestSupport.h"

#include <cmath>
#include <random>

using namespace twl;
using test::centsText;
using test::nearestAwayFromZero;
using test::Wide;

namespace {

struct RandomPlan {
    std::int64_t amount = 0; // cents
    std::int32_t periods = 0;
    std::int64_t rateHundredths = 0; // the annual rate in hundredths of a percent
    PlanTexts texts;
    PaymentPeriod period = PaymentPeriod::Monthly;
    QDate first;
    std::vector<std::pair<std::int32_t, std::int64_t>> extras; // by payment, or 0 with a date
    struct Run {
        std::int64_t amount;
        std::int32_t from, to;
    };
    std::vector<Run> runs;
    bool keepTerm = false;
    int rounding = 0; // 0 none, 1 cent, 2 unit
    std::int64_t balloon = 0;
};

class Draw {
public:
    explicit Draw(unsigned seed)
        : m_engine(seed) {}
    std::int64_t operator()(std::int64_t low, std::int64_t high) {
        return low +
               static_cast<std::int64_t>(m_engine() % static_cast<std::uint64_t>(high - low + 1));
    }

private:
    std::mt19937_64 m_engine;
};

RandomPlan drawPlan(Draw& draw) {
    RandomPlan p;
    p.amount = draw(100000, 50000000);
    p.periods = static_cast<std::int32_t>(draw(1, 120));
    do
        p.rateHundredths = draw(-500, 1500);
    while (p.rateHundredths == 0);
    const QStringList periods = periodKeywords();
    p.texts.period = periods[draw(0, periods.size() - 1)];
    p.period = parsePlanTexts({.period = p.texts.period}).period;
    if (draw(0, 1)) {
        p.first = QDate(static_cast<int>(draw(2000, 2050)), static_cast<int>(draw(1, 12)),
                        static_cast<int>(draw(1, 31)) % 28 + (draw(0, 3) ? 1 : 4));
        if (!p.first.isValid()) p.first = QDate(2030, 1, 31);
        p.texts.firstDate = p.first.toString(Qt::ISODate);
    }
    for (std::int64_t i = draw(0, 3); i > 0; --i) {
        const std::int32_t k = static_cast<std::int32_t>(draw(1, p.periods));
        const std::int64_t amount = draw(1, p.amount / 5);
        if (p.first.isValid() && draw(0, 1)) {
            // A date a few days before the due date of payment k.
            p.extras.emplace_back(0, amount);
            p.texts.extras << QStringLiteral("@%1=%2").arg(k).arg(centsText(amount));
        } else {
            p.extras.emplace_back(k, amount);
            p.texts.extras << QStringLiteral("%1=%2").arg(k).arg(centsText(amount));
        }
    }
    for (std::int64_t i = draw(0, 2); i > 0; --i) {
        const std::int32_t from = static_cast<std::int32_t>(draw(1, p.periods));
        const std::int32_t to = draw(0, 2) ? static_cast<std::int32_t>(draw(from, p.periods)) : 0;
        const std::int64_t amount = draw(1, p.amount / 50 + 1);
        p.runs.push_back({amount, from, to});
        p.texts.extraEach << centsText(amount) + QStringLiteral("@%1-%2").arg(from).arg(to);
        if (to == 0) p.texts.extraEach.back() = centsText(amount) + QStringLiteral("@%1").arg(from);
    }
    p.keepTerm = draw(0, 1) == 1;
    p.texts.afterExtra = p.keepTerm ? QStringLiteral("payment") : QStringLiteral("term");
    p.rounding = static_cast<int>(draw(0, 2));
    p.texts.rounding = roundingKeywords()[p.rounding];
    if (draw(0, 4) == 0) {
        p.balloon = draw(1, p.amount);
        p.texts.balloon = centsText(p.balloon);
    }
    return p;
}

// The due dates as the README tells them.
QDate due(const RandomPlan& p, std::int32_t k) {
    const int d = p.first.day();
    switch (p.period) {
    case PaymentPeriod::Monthly:
        return p.first.addMonths(k - 1);
    case PaymentPeriod::Quarterly:
        return p.first.addMonths(3 * (k - 1));
    case PaymentPeriod::Yearly:
        return p.first.addMonths(12 * (k - 1));
    case PaymentPeriod::Weekly:
        return p.first.addDays(7 * (k - 1));
    case PaymentPeriod::Biweekly:
        return p.first.addDays(14 * (k - 1));
    case PaymentPeriod::Semimonthly: {
        // Days d and d + 15, or d - 15 and d; the first date is one of them.
        QDate month(p.first.year(), p.first.month(), 1);
        int second = d > 15 ? 1 : 0;
        month = month.addMonths((second + k - 1) / 2);
        const int day = ((second + k - 1) % 2) ? (d > 15 ? d : d + 15) : (d > 15 ? d - 15 : d);
        return QDate(month.year(), month.month(), std::min(day, month.daysInMonth()));
    }
    }
    return {};
}

struct Row {
    QDate due;
    long double payment, interest, principal, balance; // in cents
};

// The level payment in cents: the annuity of what is not left owing plus the
// interest of the balloon, in extended precision from the exact rate.
long double level(long double balance, long double balloon, long double q, std::int32_t n) {
    const long double F = std::pow(1 + q, static_cast<long double>(n));
    return balance * q + (balance - balloon) * q / (F - 1);
}

std::vector<Row> reference(RandomPlan& p) {
    const Wide num = p.rateHundredths; // rate per period in cents per cent:
    const Wide den = Wide{100} * 100 * periodsPerYear(p.period); // num / den
    const long double q =
        static_cast<long double>(p.rateHundredths) / 10000 / periodsPerYear(p.period);
    const bool cents = p.rounding != 0;
    // The extras of each payment; those by date fall on the first payment due on or after it.
    std::vector<std::int64_t> extra(static_cast<std::size_t>(p.periods) + 2, 0);
    for (std::size_t i = 0; i < p.extras.size(); ++i) {
        std::int32_t k = p.extras[i].first;
        if (k == 0) {
            // "@k" was a placeholder: the date is two days before payment k's.
            const std::int32_t wanted =
                p.texts.extras[static_cast<qsizetype>(i)].mid(1).section('=', 0, 0).toInt();
            const QDate date = std::max(p.first, due(p, wanted).addDays(-2));
            p.texts.extras[static_cast<qsizetype>(i)] =
                date.toString(Qt::ISODate) + '=' + centsText(p.extras[i].second);
            k = 1;
            while (due(p, k) < date)
                ++k;
        }
        extra[static_cast<std::size_t>(k)] += p.extras[i].second;
    }
    for (const RandomPlan::Run& r : p.runs)
        for (std::int32_t k = r.from; k <= (r.to ? r.to : p.periods); ++k)
            extra[static_cast<std::size_t>(k)] += r.amount;
    const bool settles = !p.extras.empty() || !p.runs.empty() || p.rounding || p.balloon ||
                         p.period != PaymentPeriod::Monthly;
    const auto roundUp = [&](long double m) {
        if (!cents) return m;
        const long double unit = p.rounding == 2 ? 100 : 1;
        return std::ceil(m / unit - 1e-6L) * unit;
    };

    std::vector<Row> rows;
    long double B = static_cast<long double>(p.amount);
    long double M = roundUp(level(B, static_cast<long double>(p.balloon), q, p.periods));
    for (std::int32_t k = 1; k <= p.periods; ++k) {
        long double I = B * q;
        if (cents) {
            const Wide n = static_cast<Wide>(static_cast<std::int64_t>(B)) * num;
            I = static_cast<long double>(static_cast<std::int64_t>(nearestAwayFromZero(n, den)));
        }
        const long double e = static_cast<long double>(extra[static_cast<std::size_t>(k)]);
        Row row{p.first.isValid() ? due(p, k) : QDate(), M + e, I, 0, 0};
        if (settles && (row.payment >= B + I || k == p.periods)) {
            row.payment = B + I;
            row.principal = B;
            B = 0;
        } else {
            row.principal = row.payment - I;
            B = std::max(B - row.principal, 0.0L);
        }
        row.balance = B;
        rows.push_back(row);
        if (settles && B == 0) break;
        if (p.keepTerm && e > 0)
            M = roundUp(level(B, static_cast<long double>(p.balloon), q, p.periods - k));
    }
    return rows;
}

} // namespace

TEST(PlanReference, RandomPlansCellByCell) {
    const test::RegionalScope regional;
    ScheduleContext ctx;
    ctx.readDecimal = [] { return QStringLiteral("2"); };
    ctx.today = QDate(2026, 12, 7);
    Draw draw(20261207);
    int compared = 0;
    for (int plan = 0; plan < 400; ++plan) {
        RandomPlan p = drawPlan(draw);
        const std::vector<Row> expected = reference(p);
        const QString rate = QString::number(static_cast<double>(p.rateHundredths) / 100, 'f', 2);
        std::vector<ScheduleRow> numbers;
        test::TableSink sink;
        const QString where =
            QStringLiteral("plan %1: %2 %3 %4 [%5]")
                .arg(plan)
                .arg(centsText(p.amount))
                .arg(p.periods)
                .arg(rate)
                .arg(QStringList{p.texts.firstDate, p.texts.extras.join(' '),
                                 p.texts.extraEach.join(' '), p.texts.afterExtra, p.texts.rounding,
                                 p.texts.period, p.texts.balloon}
                         .join(QStringLiteral(", ")));
        try {
            CalculatePlanSchedule({centsText(p.amount), QString::number(p.periods), rate},
                                  parsePlanTexts(p.texts), ctx, PlanLabels{}, sink,
                                  [&](const ScheduleRow& row) { numbers.push_back(row); });
        } catch (const Exception& e) {
            FAIL() << where.toStdString() << ": " << e.message().toStdString();
        }
        ASSERT_EQ(numbers.size(), expected.size()) << where.toStdString();
        const int offset = p.first.isValid() ? 1 : 0;
        long double sums[3] = {0, 0, 0};
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const Row& e = expected[i];
            const QStringList& cells = sink.rows[i];
            if (p.first.isValid()) {
                ASSERT_EQ(numbers[i].due, e.due) << where.toStdString() << " row " << i + 1;
            }
            const long double values[4] = {e.payment, e.interest, e.principal, e.balance};
            const double got[4] = {numbers[i].payment, numbers[i].interest, numbers[i].principal,
                                   numbers[i].balance};
            for (int c = 0; c < 4; ++c) {
                if (p.rounding)
                    ASSERT_EQ(cells[1 + offset + c],
                              centsText(static_cast<std::int64_t>(values[c])))
                        << where.toStdString() << " row " << i + 1 << " column " << c;
                else
                    ASSERT_NEAR(got[c] * 100, static_cast<double>(values[c]),
                                1e-8 * static_cast<double>(p.amount))
                        << where.toStdString() << " row " << i + 1 << " column " << c;
            }
            sums[0] += e.payment;
            sums[1] += e.interest;
            sums[2] += e.principal;
            ++compared;
        }
        const QStringList& sum = sink.rows[expected.size()];
        ASSERT_EQ(sum[0], "SUM");
        if (p.rounding) {
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(sum[1 + offset + c], centsText(static_cast<std::int64_t>(sums[c])))
                    << where.toStdString();
        }
    }
    EXPECT_GT(compared, 10000);
}
