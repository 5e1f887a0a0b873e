// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ChartWindowTexts.h"

#include "app/MainWindow.h"
#include "toolkit/ListView.h"
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
}

chart::ChartTexts TChartTexts::chartTexts(const TStrings& lines, const TListView& table) const {
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
    const auto caption = [&](int i) {
        const TListColumn* c = table.Columns()->column(i);
        return c ? c->Caption() : QString();
    };
    t.interest = caption(2);
    t.principal = caption(3);
    t.balance = caption(4);
    t.year = Year;
    t.paidPerYear = PaidPerYear;
    t.paidPerYears = PaidPerYears;
    t.describeTotals = DescribeTotals;
    t.describeBalance = DescribeBalance;
    t.describeInterestFirst = DescribeInterestFirst;
    t.describePrincipalFirst = DescribePrincipalFirst;
    return t;
}

} // namespace twl
