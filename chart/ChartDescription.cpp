// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartDescription.h"

#include "base/Format.h"
#include "base/NumberFormat.h"
#include "base/RegionalSettings.h"

#include <QStringList>
#include <cmath>

namespace twl::chart {

namespace {

// Where the balance goes, in the words and figures the table shows: a
// negative amount is owed the other way, so its size is what falls.
QString describeBalance(const ChartData& data, const ChartTexts& texts, QChar sep) {
    const int d = data.totals.decimals;
    const QString from = FormatFixed(data.inputs.amount, d, sep);
    const QString to = FormatFixed(data.balance.back(), d, sep);
    if (from == to) return Format(texts.describeBalanceStays, {from});
    if (std::abs(data.balance.back()) > std::abs(data.inputs.amount))
        return Format(texts.describeBalanceRises, {from, to});
    if (data.years.size() == 1) return Format(texts.describeBalanceYear, {from, to});
    return Format(texts.describeBalance, {from, to, QString::number(data.years.size())});
}

} // namespace

QString describeChart(const ChartData& data, const ChartTexts& texts) {
    if (data.empty()) return {};
    const QChar sep = regionalSettings().decimalSeparator;
    const int d = data.totals.decimals;
    QString text = Format(texts.describeTotals, {QString::number(data.totals.payments),
                                                 FormatFixed(data.totals.paid, d, sep),
                                                 FormatFixed(data.totals.interest, d, sep),
                                                 FormatFixed(interestShare(data), 2, sep)});
    text += QLatin1Char(' ') + describeBalance(data, texts, sep);
    // The last year in which interest outweighed principal, when the first
    // did; parts are compared by their size, whatever their sign.
    const auto interestFirst = [&](std::size_t y) {
        return std::abs(data.years[y].interest) > std::abs(data.years[y].principal);
    };
    std::size_t interestYears = 0;
    while (interestYears < data.years.size() && interestFirst(interestYears))
        ++interestYears;
    text += QLatin1Char(' ');
    text += interestYears == 0
                ? texts.describePrincipalFirst
                : Format(texts.describeInterestFirst, {QString::number(interestYears)});
    if (!data.rateChanges.empty()) {
        QStringList payments;
        for (const std::int32_t k : data.rateChanges)
            payments << QString::number(k);
        text += QLatin1Char(' ') +
                Format(texts.describeRateChanges, {payments.join(QStringLiteral(", "))});
    }
    if (data.totals.interest < 0) text += QLatin1Char(' ') + texts.describeNegativeInterest;
    return text;
}

} // namespace twl::chart
