// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartDescription.h"

#include "base/Format.h"
#include "base/NumberFormat.h"
#include "base/RegionalSettings.h"

namespace twl::chart {

QString describeChart(const ChartData& data, const ChartTexts& texts) {
    if (data.empty()) return {};
    const QChar sep = regionalSettings().decimalSeparator;
    const int d = data.totals.decimals;
    QString text = Format(texts.describeTotals, {QString::number(data.totals.payments),
                                                 FormatFixed(data.totals.paid, d, sep),
                                                 FormatFixed(data.totals.interest, d, sep),
                                                 FormatFixed(interestShare(data), 2, sep)});
    text +=
        QLatin1Char(' ') + Format(texts.describeBalance, {FormatFixed(data.inputs.amount, d, sep),
                                                          FormatFixed(data.balance.back(), d, sep),
                                                          QString::number(data.years.size())});
    // The last year in which interest outweighed principal, when the first did.
    std::size_t interestYears = 0;
    while (interestYears < data.years.size() &&
           data.years[interestYears].interest > data.years[interestYears].principal)
        ++interestYears;
    text += QLatin1Char(' ');
    text += interestYears == 0
                ? texts.describePrincipalFirst
                : Format(texts.describeInterestFirst, {QString::number(interestYears)});
    return text;
}

} // namespace twl::chart
