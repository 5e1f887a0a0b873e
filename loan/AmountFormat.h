// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The amount format of one calculation, fmt(x) of the schedule's cells.

#include "base/NumberFormat.h"
#include "base/NumberParse.h"
#include "base/RegionalSettings.h"
#include "loan/Amortization.h"

#include <charconv>
#include <cstdint>

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
    QString operator()(double value) { return cell(value).toString(); }
    // The same text without an allocation, valid until the next call.
    QStringView cell(double value) {
        return QStringView(m_text, FormatFixedTo(m_text, value, decimals(), m_separator));
    }
    // The same text in 8 bits at out, which has room for FixedTextCapacity
    // characters; its length. Only where the separator is Latin-1.
    qsizetype cellTo(char* out, double value) {
        return FormatFixedTo(out, value, decimals(), m_separator);
    }
    // Its length alone.
    qsizetype cellLength(double value) { return FormatFixedLength(value, decimals(), m_separator); }
    QChar separator() const { return m_separator; }
    // The decimals, read from the setting at the first call, which raises
    // what a bad setting raises.
    int decimals() {
        if (m_decimals < 0) m_decimals = amountDecimals(m_context.readDecimal());
        return m_decimals;
    }

private:
    const ScheduleContext& m_context;
    const QChar m_separator = regionalSettings().decimalSeparator;
    int m_decimals = -1; // not read yet
    char16_t m_text[FixedTextCapacity];
};

// The two rows that end every schedule: the summary row (the sums of the
// payments, the interest and the principal, no balance) and the inputs row
// (each input after its label, then today's date). `dueColumn` gives the
// summary row the empty cell of a plan's Due column; a caller may add cells
// to the inputs row after it.
// `marks` follow the inputs' texts (a solved input's mark).
struct InputMarks {
    QString amount, count, rate;
};
void appendSummaryAndInputRows(ScheduleSink& sink, AmountFormat& fmt,
                               const ScheduleContext& context, double P, std::int32_t N, double R,
                               double paid, double interest, double principal, bool dueColumn,
                               const InputMarks& marks = {});

// A row's period number as its caption, valid until the next call.
class PeriodCaption {
public:
    QStringView operator()(std::int32_t period) {
        char digits[16];
        const char* end = std::to_chars(digits, digits + sizeof digits, period).ptr;
        qsizetype n = 0;
        for (const char* p = digits; p < end; ++p)
            m_text[n++] = char16_t(*p);
        return QStringView(m_text, n);
    }

private:
    char16_t m_text[16];
};

} // namespace twl
