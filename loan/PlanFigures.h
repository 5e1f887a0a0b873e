// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The arithmetic of a plan's amounts, one kind per rounding mode: exact
// figures are doubles, each formula evaluated in extended precision and
// rounded when stored, as in the plain schedule; a lender's figures are whole
// cents, added and subtracted exactly.

#include "loan/Cents.h"
#include "loan/PlanOptions.h"
#include "loan/StoredArithmetic.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace twl {

struct ExactFigures {
    using Amount = double;
    using Total = double;

    static long double ld(double v) { return static_cast<long double>(v); }
    template <class Formula> static double stored(Formula&& formula) {
        return evaluateStored(true, formula);
    }

    void setRate(double) {} // the interest is worked out by the caller
    Amount amount(double value) const { return value; }
    double value(Amount a) const { return a; }
    Amount interest(double computed, Amount) const { return computed; }
    Amount payment(double level) const { return level; }
    Amount add(Amount a, Amount b) const {
        return stored([&] { return ld(a) + ld(b); });
    }
    Amount subtract(Amount a, Amount b) const {
        return stored([&] { return ld(a) - ld(b); });
    }
    // Extras due together add up as doubles do, without extended precision.
    static Amount plus(Amount a, Amount b) { return a + b; }
    void accumulate(Total& total, Amount a) const { total = add(total, a); }
    double totalValue(Total total) const { return total; }
};

struct CentFigures {
    using Amount = std::int64_t;
    using Total = __int128; // a long schedule's sums may pass MaxCents

    ShortestDecimal rate; // the annual rate in percent, as typed
    int periodsPerYear = 12;
    bool wholeUnits = false; // the payment rounded up to a unit, not a cent

    void setRate(double annual) { rate = shortestDecimal(annual); }
    // The plan's amounts were checked to be whole cents (checkPlan).
    Amount amount(double value) const { return wholeCents(value).value_or(0); }
    double value(Amount a) const { return centsToDouble(a); }
    Amount interest(double, Amount balance) const {
        return interestCents(balance, rate, periodsPerYear);
    }
    // Lenders round the payment up, so rounding never leaves more owing at
    // the end; a payment a hair above a whole cent from the division stays
    // that cent.
    Amount payment(double level) const {
        const double perUnit = wholeUnits ? 1 : 100;
        const double units = std::ceil(level * perUnit - 1e-6);
        if (!(std::fabs(units) * (100 / perUnit) <= static_cast<double>(MaxCents)))
            raiseCentsOverflow();
        return static_cast<Amount>(units) * static_cast<Amount>(100 / perUnit);
    }
    Amount add(Amount a, Amount b) const { return addCents(a, b); }
    Amount subtract(Amount a, Amount b) const { return addCents(a, -b); }
    static Amount plus(Amount a, Amount b) { return addCents(a, b); }
    void accumulate(Total& total, Amount a) const { total += a; }
    double totalValue(Total total) const {
        if (total >= -MaxCents && total <= MaxCents)
            return centsToDouble(static_cast<std::int64_t>(total));
        return static_cast<double>(static_cast<long double>(total) / 100);
    }
};

// The extras due with the payments: the one-offs by payment (kept sparse, as
// the number of payments may be in the millions), the recurring ones as runs
// of payments over which the same of them are due. Asked for rising payments.
template <class Figures> class ExtraPayments {
public:
    using Amount = typename Figures::Amount;

    ExtraPayments(const PlanOptions& plan, std::int32_t N, const Figures& figures) {
        for (const OneOffExtra& e : plan.extras) {
            const auto [it, added] = m_oneOff.try_emplace(extraPeriod(e, plan, N), Amount{});
            it->second = Figures::plus(it->second, figures.amount(e.amount));
        }
        std::vector<std::int32_t> edges;
        for (const RecurringExtra& r : plan.recurring) {
            edges.push_back(r.from);
            edges.push_back((r.to == 0 ? N : r.to) + 1);
        }
        std::sort(edges.begin(), edges.end());
        edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
        // Each run's sum, in the order the extras were given.
        for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
            std::optional<Amount> sum;
            for (const RecurringExtra& r : plan.recurring)
                if (r.from <= edges[i] && edges[i] <= (r.to == 0 ? N : r.to))
                    sum = sum ? Figures::plus(*sum, figures.amount(r.amount))
                              : figures.amount(r.amount);
            if (sum) m_runs.push_back({edges[i], edges[i + 1] - 1, *sum});
        }
    }

    Amount operator()(std::int32_t k) {
        const auto it = m_oneOff.find(k);
        Amount extra = it == m_oneOff.end() ? Amount{} : it->second;
        while (m_run < m_runs.size() && m_runs[m_run].to < k)
            ++m_run;
        if (m_run < m_runs.size() && m_runs[m_run].from <= k)
            extra = Figures::plus(extra, m_runs[m_run].amount);
        return extra;
    }

private:
    struct Run {
        std::int32_t from, to;
        Amount amount;
    };
    std::map<std::int32_t, Amount> m_oneOff;
    std::vector<Run> m_runs;
    std::size_t m_run = 0;
};

} // namespace twl
