// SPDX-License-Identifier: GPL-3.0-or-later
#include "loan/RateChanges.h"

#include "base/Format.h"
#include "base/NumberFormat.h"
#include "base/RegionalSettings.h"
#include "loan/LoanConsts.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace twl {

namespace {

QString numberText(double value) {
    return FormatGeneral(value, 15, regionalSettings().decimalSeparator);
}

} // namespace

RateSteps::RateSteps(const PlanOptions& plan, std::int32_t N) {
    for (std::size_t i = 0; i < plan.rateChanges.size(); ++i)
        m_steps.push_back(
            {rateChangePeriod(plan.rateChanges[i], plan, N), plan.rateChanges[i].rate, i});
    std::stable_sort(m_steps.begin(), m_steps.end(),
                     [](const Step& a, const Step& b) { return a.period < b.period; });
    // Of several changes from one payment, the one given last holds.
    std::vector<Step> kept;
    for (const Step& s : m_steps) {
        if (!kept.empty() && kept.back().period == s.period)
            kept.back() = s;
        else
            kept.push_back(s);
    }
    m_steps = std::move(kept);
}

const RateSteps::Step* RateSteps::at(std::int32_t k) {
    while (m_next < m_steps.size() && m_steps[m_next].period < k)
        ++m_next;
    return m_next < m_steps.size() && m_steps[m_next].period == k ? &m_steps[m_next] : nullptr;
}

QString rateChangeName(std::size_t index) {
    return Format(LoadResString(rs::SRateChangeField), {static_cast<int>(index + 1)});
}

long double paymentsToRepay(double balance, double M, long double q) {
    const long double B = balance;
    if (q == 0) return B / M;
    // B(1 + q)^n - M((1 + q)^n - 1) / q = 0.
    const long double ratio = M / (M - B * q);
    return std::log(ratio) / std::log1p(q);
}

void checkKeptPayment(const RateSteps::Step& step, std::int32_t k, double M, double I,
                      long double q, double balance) {
    const QString name = rateChangeName(step.index);
    if (!(M > I))
        throw EPlanInput(PlanField::RateChange,
                         Format(LoadResString(rs::SRateChangeNoInterestCover),
                                {name, numberText(M), numberText(I), numberText(step.rate)}));
    const int most = std::numeric_limits<std::int32_t>::max();
    const long double more = paymentsToRepay(balance, M, q);
    if (!(more <= static_cast<long double>(most - k)))
        throw EPlanInput(PlanField::RateChange, Format(LoadResString(rs::SPaymentTooManyPayments),
                                                       {name, numberText(M), most}));
}

} // namespace twl
