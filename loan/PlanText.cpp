// SPDX-License-Identifier: GPL-3.0-or-later
#include "loan/PlanText.h"

#include "base/Format.h"
#include "base/NumberParse.h"
#include "loan/LoanConsts.h"

#include <QRegularExpression>

namespace twl {

namespace {

template <class Enum> struct Keyword {
    const char* text;
    Enum value;
};

constexpr Keyword<AfterExtra> AfterExtraWords[] = {{"term", AfterExtra::Term},
                                                   {"payment", AfterExtra::Payment}};
constexpr Keyword<AfterRateChange> AfterRateChangeWords[] = {{"payment", AfterRateChange::Payment},
                                                             {"term", AfterRateChange::Term}};
constexpr Keyword<PlanRounding> RoundingWords[] = {
    {"none", PlanRounding::None}, {"cent", PlanRounding::Cent}, {"unit", PlanRounding::Unit}};
constexpr Keyword<PaymentPeriod> PeriodWords[] = {
    {"monthly", PaymentPeriod::Monthly},     {"semimonthly", PaymentPeriod::Semimonthly},
    {"biweekly", PaymentPeriod::Biweekly},   {"weekly", PaymentPeriod::Weekly},
    {"quarterly", PaymentPeriod::Quarterly}, {"yearly", PaymentPeriod::Yearly}};

template <class Enum, std::size_t Count> QStringList words(const Keyword<Enum> (&table)[Count]) {
    QStringList list;
    for (const auto& k : table)
        list << QLatin1String(k.text);
    return list;
}

template <class Enum, std::size_t Count>
Enum keyword(const Keyword<Enum> (&table)[Count], const QString& text, Enum fallback,
             PlanField field, const ResourceString& name) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return fallback;
    for (const auto& k : table)
        if (t.compare(QLatin1String(k.text), Qt::CaseInsensitive) == 0) return k.value;
    throw EPlanInput(field,
                     Format(LoadResString(rs::SPlanNotOneOf),
                            {LoadResString(name), text, words(table).join(QStringLiteral(", "))}));
}

// Dates are written the one way that reads the same in every region.
std::optional<QDate> isoDate(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    const QString t = text.trimmed();
    if (!form.match(t).hasMatch()) return std::nullopt;
    const QDate date = QDate::fromString(t, Qt::ISODate);
    if (!date.isValid()) return std::nullopt;
    return date;
}

double amount(const QString& text, PlanField field, const QString& name) {
    double value = 0;
    if (!TryStrToFloat(text, value))
        throw EPlanInput(field, Format(LoadResString(rs::SPlanNotAmount), {name, text}));
    return value;
}

// Payment numbers are decimal: "0x0A" or "$A" would be taken for 10.
std::int32_t period(const QString& text, PlanField field, const QString& name) {
    static const QRegularExpression decimal(QStringLiteral("^[+-]?[0-9]+$"));
    const QString t = text.trimmed();
    std::int32_t value = 0;
    if (!decimal.match(t).hasMatch() || !TryStrToInt(t, value))
        throw EPlanInput(field, Format(LoadResString(rs::SPlanNotPeriod), {name, text}));
    return value;
}

// PERIOD=VALUE, PERIOD a payment number or a date; the value's text.
template <class Item>
QString whenAndValue(Item& item, const QString& text, PlanField field, const QString& name) {
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq <= 0)
        throw EPlanInput(field, Format(LoadResString(rs::SPlanNotPeriodAmount), {name, text}));
    const QString when = text.left(eq).trimmed();
    if (when.contains(QLatin1Char('-')) && !when.startsWith(QLatin1Char('-'))) {
        const std::optional<QDate> date = isoDate(when);
        if (!date) throw EPlanInput(field, Format(LoadResString(rs::SPlanNotDate), {name, when}));
        item.date = *date;
    } else {
        item.period = period(when, field, name);
    }
    return text.mid(eq + 1);
}

OneOffExtra oneOffExtra(const QString& text, int number) {
    const QString name = Format(LoadResString(rs::SPlanExtraField), {number});
    OneOffExtra e;
    e.amount = amount(whenAndValue(e, text, PlanField::Extra, name), PlanField::Extra, name);
    return e;
}

RateChange rateChange(const QString& text, int number) {
    const QString name = Format(LoadResString(rs::SRateChangeField), {number});
    RateChange c;
    c.rate =
        amount(whenAndValue(c, text, PlanField::RateChange, name), PlanField::RateChange, name);
    return c;
}

RecurringExtra recurringExtra(const QString& text, const QString& name) {
    RecurringExtra r;
    const qsizetype at = text.indexOf(QLatin1Char('@'));
    r.amount = amount(at < 0 ? text : text.left(at), PlanField::RecurringExtra, name);
    if (at < 0) return r;
    const QString range = text.mid(at + 1).trimmed();
    const qsizetype dash = range.indexOf(QLatin1Char('-'), 1);
    r.from = period(dash < 0 ? range : range.left(dash), PlanField::RecurringExtra, name);
    if (dash >= 0) r.to = period(range.mid(dash + 1), PlanField::RecurringExtra, name);
    if (dash >= 0 && r.to == 0)
        throw EPlanInput(PlanField::RecurringExtra,
                         Format(LoadResString(rs::SPlanLastBeforeFirst), {name, 0, r.from}));
    return r;
}

} // namespace

std::optional<QDate> parseIsoDate(const QString& text) {
    return isoDate(text);
}

QStringList afterExtraKeywords() {
    return words(AfterExtraWords);
}

QStringList afterRateChangeKeywords() {
    return words(AfterRateChangeWords);
}

QStringList roundingKeywords() {
    return words(RoundingWords);
}

QStringList periodKeywords() {
    return words(PeriodWords);
}

PlanOptions parsePlanTexts(const PlanTexts& texts) {
    PlanOptions plan;
    if (!texts.firstDate.trimmed().isEmpty()) {
        const std::optional<QDate> date = isoDate(texts.firstDate);
        if (!date)
            throw EPlanInput(PlanField::FirstDate,
                             Format(LoadResString(rs::SPlanNotDate),
                                    {LoadResString(rs::SPlanFirstDateField), texts.firstDate}));
        plan.firstDate = *date;
    }
    for (qsizetype i = 0; i < texts.extras.size(); ++i)
        plan.extras.push_back(oneOffExtra(texts.extras[i], static_cast<int>(i + 1)));
    for (qsizetype i = 0; i < texts.extraEach.size(); ++i)
        if (!texts.extraEach[i].trimmed().isEmpty())
            plan.recurring.push_back(recurringExtra(
                texts.extraEach[i],
                recurringExtraName(static_cast<std::size_t>(i),
                                   static_cast<std::size_t>(texts.extraEach.size()))));
    plan.afterExtra = keyword(AfterExtraWords, texts.afterExtra, AfterExtra::Term,
                              PlanField::AfterExtra, rs::SPlanAfterExtraField);
    plan.rounding = keyword(RoundingWords, texts.rounding, PlanRounding::None, PlanField::Rounding,
                            rs::SPlanRoundingField);
    plan.period = keyword(PeriodWords, texts.period, PaymentPeriod::Monthly, PlanField::Period,
                          rs::SPlanPeriodField);
    if (!texts.balloon.trimmed().isEmpty())
        plan.balloon =
            amount(texts.balloon, PlanField::Balloon, LoadResString(rs::SPlanBalloonField));
    for (qsizetype i = 0; i < texts.rateChanges.size(); ++i)
        plan.rateChanges.push_back(rateChange(texts.rateChanges[i], static_cast<int>(i + 1)));
    plan.afterRateChange =
        keyword(AfterRateChangeWords, texts.afterRateChange, AfterRateChange::Payment,
                PlanField::AfterRateChange, rs::SAfterRateChangeField);
    if (!texts.payment.trimmed().isEmpty())
        plan.payment = amount(texts.payment, PlanField::Payment, LoadResString(rs::SPaymentName));
    return plan;
}

} // namespace twl
