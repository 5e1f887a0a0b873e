// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ChartWindowTexts.h"

#include "app/ScheduleTexts.h"
#include "loan/PlanSchedule.h"
#include "toolkit/Strings.h"

namespace twl {

TChartTexts::TChartTexts(QObject* parent)
    : QObject(parent) {
    const chart::ChartTexts english;
    Title = english.title;
    TotalPaid = english.totalPaid;
    TotalInterest = english.totalInterest;
    InterestShare = english.interestShare;
    Payments = english.payments;
    Year = english.year;
    PaidPerYear = english.paidPerYear;
    PaidPerYears = english.paidPerYears;
    DescribeTotals = english.describeTotals;
    DescribeBalance = english.describeBalance;
    DescribeInterestFirst = english.describeInterestFirst;
    DescribePrincipalFirst = english.describePrincipalFirst;
    NegativeInterest = english.negativeInterest;
    DescribeBalanceYear = english.describeBalanceYear;
    DescribeBalanceRises = english.describeBalanceRises;
    DescribeBalanceStays = english.describeBalanceStays;
    DescribeNegativeInterest = english.describeNegativeInterest;
    DescribeRateChanges = english.describeRateChanges;
}

chart::ChartTexts TChartTexts::chartTexts(const TStrings& lines, const QStringList& captions,
                                          bool dated) const {
    chart::ChartTexts t;
    t.title = Title;
    const ScheduleLabels labels = inputsRowLabels(lines);
    t.amountLabel = labels.amount;
    t.monthsLabel = labels.months;
    t.rateLabel = labels.rate;
    t.totalPaid = TotalPaid;
    t.totalInterest = TotalInterest;
    t.interestShare = InterestShare;
    t.payments = Payments;
    // Each series is named after its column, found by its role.
    const auto caption = [&](ScheduleColumn role) {
        return captions.value(scheduleColumn(role, dated));
    };
    t.interest = caption(ScheduleColumn::Interest);
    t.principal = caption(ScheduleColumn::Principal);
    t.balance = caption(ScheduleColumn::Balance);
    t.negativeInterest = NegativeInterest;
    t.year = Year;
    t.paidPerYear = PaidPerYear;
    t.paidPerYears = PaidPerYears;
    t.describeTotals = DescribeTotals;
    t.describeBalance = DescribeBalance;
    t.describeInterestFirst = DescribeInterestFirst;
    t.describePrincipalFirst = DescribePrincipalFirst;
    t.describeBalanceYear = DescribeBalanceYear;
    t.describeBalanceRises = DescribeBalanceRises;
    t.describeBalanceStays = DescribeBalanceStays;
    t.describeNegativeInterest = DescribeNegativeInterest;
    t.describeRateChanges = DescribeRateChanges;
    return t;
}

} // namespace twl
