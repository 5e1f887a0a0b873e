// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plan as text, in the one syntax the command line, the settings file and
// the plan dialog share (twlc-export's flags): a first date YYYY-MM-DD, extras
// PERIOD=AMOUNT (PERIOD a payment number or a date), a recurring extra
// AMOUNT[@FROM[-TO]] (several add up), and keywords. Amounts take the regional
// decimal separator. An empty text leaves its option at the plain loan's value.

#include "loan/PlanOptions.h"

#include <QStringList>

namespace twl {

struct PlanTexts {
    QString firstDate{};
    QStringList extras{};
    QStringList extraEach{};
    QString afterExtra{}; // term | payment
    QString rounding{};   // none | cent | unit
    QString period{};     // monthly | semimonthly | biweekly | weekly | quarterly | yearly
    QString balloon{};
    QStringList rateChanges{}; // PERIOD=RATE, the rate in percent
    QString afterRateChange{}; // payment | term
    QString payment{};         // the level payment, when given

    bool isEmpty() const {
        return firstDate.isEmpty() && extras.isEmpty() && extraEach.isEmpty() &&
               afterExtra.isEmpty() && rounding.isEmpty() && period.isEmpty() &&
               balloon.isEmpty() && rateChanges.isEmpty() && afterRateChange.isEmpty() &&
               payment.isEmpty();
    }
};

// Throws EPlanInput naming the field of the first text that does not parse.
PlanOptions parsePlanTexts(const PlanTexts& texts);

// A date written YYYY-MM-DD, the one way that reads the same in every region.
std::optional<QDate> parseIsoDate(const QString& text);

// The keywords, in the order a list offers them; the first is the default.
QStringList afterExtraKeywords();
QStringList roundingKeywords();
QStringList afterRateChangeKeywords();
QStringList periodKeywords();

} // namespace twl
