// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart window's words as published texts of a component `charttexts`
// on the main window (and, without the window, in twlc-export), so a language
// file translates them like every other text of the window. The inputs
// labels and the legend come from the window's own text list and columns.

#include "chart/ChartTexts.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace twl {

class TStrings;

class TChartTexts : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_PROPERTY(QString Title MEMBER Title)
    Q_PROPERTY(QString EmptyNote MEMBER EmptyNote)
    Q_PROPERTY(QString SavePicture MEMBER SavePicture)
    Q_PROPERTY(QString Copy MEMBER Copy)
    Q_PROPERTY(QString SaveTitle MEMBER SaveTitle)
    Q_PROPERTY(QString PngFilter MEMBER PngFilter)
    Q_PROPERTY(QString SvgFilter MEMBER SvgFilter)
    Q_PROPERTY(QString TotalPaid MEMBER TotalPaid)
    Q_PROPERTY(QString TotalInterest MEMBER TotalInterest)
    Q_PROPERTY(QString InterestShare MEMBER InterestShare)
    Q_PROPERTY(QString Payments MEMBER Payments)
    Q_PROPERTY(QString Year MEMBER Year)
    Q_PROPERTY(QString PaidPerYear MEMBER PaidPerYear)
    Q_PROPERTY(QString PaidPerYears MEMBER PaidPerYears)
    Q_PROPERTY(QString DescribeTotals MEMBER DescribeTotals)
    Q_PROPERTY(QString DescribeBalance MEMBER DescribeBalance)
    Q_PROPERTY(QString DescribeInterestFirst MEMBER DescribeInterestFirst)
    Q_PROPERTY(QString DescribePrincipalFirst MEMBER DescribePrincipalFirst)
    Q_PROPERTY(QString Close MEMBER Close)
    Q_PROPERTY(QString FailedNote MEMBER FailedNote)
    Q_PROPERTY(QString NoPaymentsNote MEMBER NoPaymentsNote)
    Q_PROPERTY(QString NegativeInterest MEMBER NegativeInterest)
    Q_PROPERTY(QString DescribeBalanceYear MEMBER DescribeBalanceYear)
    Q_PROPERTY(QString DescribeBalanceRises MEMBER DescribeBalanceRises)
    Q_PROPERTY(QString DescribeBalanceStays MEMBER DescribeBalanceStays)
    Q_PROPERTY(QString DescribeNegativeInterest MEMBER DescribeNegativeInterest)
    Q_PROPERTY(QString DescribeRateChanges MEMBER DescribeRateChanges)

public:
    explicit TChartTexts(QObject* parent = nullptr);

    QString Caption = QStringLiteral("Chart");
    QString Title;
    QString EmptyNote = QStringLiteral("Press Calculate to see the chart.");
    QString SavePicture = QStringLiteral("&Save picture...");
    QString Copy = QStringLiteral("&Copy");
    QString SaveTitle = QStringLiteral("Save Picture");
    QString PngFilter = QStringLiteral("PNG Pictures");
    QString SvgFilter = QStringLiteral("SVG Pictures");
    QString TotalPaid;
    QString TotalInterest;
    QString InterestShare;
    QString Payments;
    QString Year;
    QString PaidPerYear;
    QString PaidPerYears;
    QString DescribeTotals;
    QString DescribeBalance;
    QString DescribeInterestFirst;
    QString DescribePrincipalFirst;
    QString Close = QStringLiteral("C&lose");
    QString FailedNote = QStringLiteral("The calculation failed: there is no chart to show.");
    QString NoPaymentsNote = QStringLiteral("The schedule has no payments to draw.");
    QString NegativeInterest;
    QString DescribeBalanceYear;
    QString DescribeBalanceRises;
    QString DescribeBalanceStays;
    QString DescribeNegativeInterest;
    QString DescribeRateChanges;

    // The words the chart draws: these texts, the inputs-row labels of the
    // window's text list and the captions of the table's columns (in the
    // table's order) by their role (`dated`: the table has the plan's "Due"
    // column).
    chart::ChartTexts chartTexts(const TStrings& lines, const QStringList& captions,
                                 bool dated) const;
};

} // namespace twl
