#pragma once
// The amount format of one calculation, fmt(x) of the schedule's cells.

#include "base/NumberFormat.h"
#include "base/NumberParse.h"
#include "base/RegionalSettings.h"
#include "loan/Amortization.h"

namespace twl {

// The decimals of the amount format from the "Decimal" text: strict integer
// parse, 2 outside 0..18.
inline int amountDecimals(const QString& decimalSetting) {
    const int d = StrToInt(decimalSetting);
    return d < 0 || d > 18 ? 2 : d;
}

// The amount format of one calculation. "Decimal" is read once, at the first
// amount cell, so a bad value still fails at that cell. Nothing in this
// program runs between two amount cells of one calculation that could change
// the settings file; only another process can, and its write may land at any
// moment. Every table made this way is the one that reading at every cell
// makes when that write lands just after the calculation.
class AmountFormat {
public:
    explicit AmountFormat(const ScheduleContext& context)
        : m_context(context) {}
    QString operator()(double value) {
        if (m_decimals < 0) m_decimals = amountDecimals(m_context.readDecimal());
        return FormatFixed(value, m_decimals, m_separator);
    }

private:
    const ScheduleContext& m_context;
    const QChar m_separator = regionalSettings().decimalSeparator;
    int m_decimals = -1; // not read yet
};

} // namespace twl
