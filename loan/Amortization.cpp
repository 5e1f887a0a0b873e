// SPDX-License-Identifier: GPL-3.0-or-later
#include "loan/Amortization.h"

#include "base/FloatingPoint.h"
#include "base/NumberFormat.h"
#include "base/NumberParse.h"
#include "base/RegionalSettings.h"
#include "loan/AmountFormat.h"
#include "loan/LoanConsts.h"
#include "loan/StoredArithmetic.h"

#include <cfloat>
#include <cmath>

namespace twl {

namespace {

long double ld(const volatile double& v) {
    return static_cast<long double>(v);
}

} // namespace

void RowSink::beginRow(QStringView caption) {
    flush();
    m_open = true;
    add(caption);
}

void RowSink::add(QStringView text) {
    if (text.isNull()) {
        m_pieces.emplace_back(-1, 0);
        return;
    }
    m_pieces.emplace_back(static_cast<qsizetype>(m_texts.size()), text.size());
    m_texts.insert(m_texts.end(), text.utf16(), text.utf16() + text.size());
}

void RowSink::flush() {
    if (!m_open) return;
    m_open = false;
    // Views are made once every text is in, when the buffer moves no more;
    // an empty text keeps a place of its own, so that it is not taken for null.
    const auto view = [this](const std::pair<qsizetype, qsizetype>& piece) {
        if (piece.first < 0) return QStringView();
        if (piece.second == 0) return QStringView(u"");
        return QStringView(m_texts.data() + piece.first, piece.second);
    };
    m_cells.clear();
    for (std::size_t i = 1; i < m_pieces.size(); ++i)
        m_cells.append(view(m_pieces[i]));
    const QStringView caption = view(m_pieces.front());
    struct Reuse {
        RowSink& sink;
        ~Reuse() {
            sink.m_pieces.clear();
            sink.m_texts.clear();
        }
    } reuse{*this};
    m_commit(caption, m_cells);
}

void ScheduleSink::addAmount(double value, AmountFormat& fmt) {
    addCell(fmt.cell(value));
}

void ScheduleSink::addAmountRow(QStringView caption, std::span<const double> amounts,
                                AmountFormat& fmt) {
    beginRow(caption);
    for (const double value : amounts)
        addAmount(value, fmt);
}

namespace {

// A month that ran steps b and c to the end: its q and its last F.
struct ReferenceMonth {
    long double q = 0;
    double F = 0;
};

// From month 2 on, with M set, steps b to d only matter for the faults they
// raise. True when this month's q provably raises none, judged against a
// month of the same sign of q that ran them without a fault.
bool monthCannotFault(long double q, const ReferenceMonth& positive,
                      const ReferenceMonth& negative) {
    if (q > 0) {
        // 0 < q <= q(ref): each F of this month is at most the same F of the
        // reference (rounding is monotonic and every factor is >= 1), which
        // was stored without overflow; F >= 1 keeps q*F > 0. D then lies in
        // [0, 1/q), so with 1/q within the double range nothing can overflow,
        // divide by zero or be invalid. (q * DBL_MAX >= 1 tests 1/q <= DBL_MAX
        // without a division that could itself set a fault flag.)
        return positive.q > 0 && q <= positive.q && q * static_cast<long double>(DBL_MAX) >= 1.0L;
    }
    if (q < 0) {
        // q(ref) <= q < 0 with q(ref) > -1: every factor q + 1 lies in (0, 1]
        // and is at least the reference's, so by monotonic rounding each F of
        // this month lies between the same F of the reference and 1: no
        // overflow, and F > 0 when the reference's last F was. Then
        // |q*F| >= |q|*F(ref) > 0 (no underflow to zero in extended range), and
        // D = 1/q - 1/(q*F) = (1/F - 1)/|q| lies in [0, 1/(|q|*F(ref))]. The
        // last test keeps that bound below DBL_MAX with a factor of two to
        // spare for the rounding of the test itself, multiplying only.
        return negative.q < 0 && negative.q > -1.0L && negative.F > 0 && q >= negative.q &&
               -q * static_cast<long double>(negative.F) * static_cast<long double>(DBL_MAX / 2) >=
                   1.0L;
    }
    return false; // q = 0 divides by zero; NaN is invalid
}

} // namespace

void CalculateSchedule(const ScheduleInputs& inputs, const ScheduleContext& context,
                       ScheduleSink& sink) {
    if (inputs.amount.isEmpty() || inputs.months.isEmpty() || inputs.rate.isEmpty()) return;
    const double P = StrToFloat(inputs.amount);
    const std::int32_t N = StrToInt(inputs.months);
    const double R = StrToFloat(inputs.rate);

    AmountFormat fmt(context);
    PeriodCaption period;

    volatile double vP = P;
    volatile double vR = R;
    volatile double B = P;
    volatile double M = 0;
    volatile double SM = 0, SI = 0, SPr = 0;
    volatile double I = 0, F = 0, D = 0, Pr = 0;
    // Month 1 for positive q (the largest q of a falling balance); for
    // negative q the latest month that ran the loop, whose F is the largest
    // known as q climbs towards zero.
    ReferenceMonth positive, negative;

    bool testEach = context.checkEveryStep;
    const auto extended = [&](auto&& formula) { return evaluateExtended(testEach, formula); };
    const auto stored = [&](auto&& formula) { return evaluateStored(testEach, formula); };

    // A month that tests its flags once, at its end, does not clear them as it
    // starts: a flag left by the sink since the last test only makes the month
    // run again, testing each formula, and that run clears them first.
    clearFloatingPointFaults();
    // The reference months as a month that runs the loop starts (only such a
    // month changes them).
    ReferenceMonth startPositive, startNegative;
    for (std::int32_t k = 1; k <= N; ++k) {
        // A month depends on nothing but these, as it starts.
        const double startB = B, startM = M, startSM = SM, startSI = SI, startSPr = SPr;
        if (testEach) clearFloatingPointFaults();
        I = stored([&] { return ld(B) * ld(vR) / 12 / 100; });
        volatile long double q = extended([&] { return ld(I) / ld(vP); });

        const bool skipLoop =
            !context.checkEveryStep && k >= 2 && M != 0 && monthCannotFault(q, positive, negative);
        if (!skipLoop) {
            startPositive = positive;
            startNegative = negative;
            F = stored([&] { return q + 1; });
            for (std::int32_t j = 1; j < N; ++j) {
                F = stored([&] { return (q + 1) * ld(F); });
                // A long term must not run on long after a fault: the month
                // ends early and its second run finds the fault.
                if (!testEach && j % 4096 == 0 && floatingPointFaultSet()) break;
            }
            D = stored([&] { return 1 / q - 1 / (q * ld(F)); });
            if (M == 0) M = stored([&] { return ld(B) / ld(D); });
            if (k == 1 && q > 0) positive = {q, F};
            if (q < 0) negative = {q, F};
        }
        Pr = stored([&] { return ld(M) - ld(I); });
        B = stored([&] { return ld(B) - ld(Pr); });
        if (!(B >= 0)) B = 0;
        SM = stored([&] { return ld(SM) + ld(M); });
        SI = stored([&] { return ld(SI) + ld(I); });
        SPr = stored([&] { return ld(SPr) + ld(Pr); });
        if (!testEach && floatingPointFaultSet()) {
            // The same month again, testing after every formula.
            B = startB;
            M = startM;
            SM = startSM;
            SI = startSI;
            SPr = startSPr;
            if (!skipLoop) {
                positive = startPositive;
                negative = startNegative;
            }
            testEach = true;
            --k;
            continue;
        }
        testEach = context.checkEveryStep;

        const double cells[] = {M, I, Pr, B};
        sink.addAmountRow(period(k), cells, fmt);
    }

    appendSummaryAndInputRows(sink, fmt, context, P, N, R, SM, SI, SPr, false);
}

void appendSummaryAndInputRows(ScheduleSink& sink, AmountFormat& fmt,
                               const ScheduleContext& context, double P, std::int32_t N, double R,
                               double paid, double interest, double principal, bool dueColumn,
                               const InputMarks& marks) {
    sink.beginRow(LoadResString(rs::SSumCaption));
    if (dueColumn) sink.addCell(QString());
    sink.addAmount(paid, fmt);
    sink.addAmount(interest, fmt);
    sink.addAmount(principal, fmt);
    sink.addCell(LoadResString(rs::SNoBalance));

    const QChar sep = regionalSettings().decimalSeparator;
    sink.beginRow(context.labels.caption);
    sink.addCell(context.labels.amount + FormatGeneral(P, 15, sep) + marks.amount);
    sink.addCell(context.labels.months + QString::number(N) + marks.count);
    sink.addCell(context.labels.rate + FormatGeneral(R, 15, sep) + marks.rate);
    sink.addCell(context.labels.date + DateToStr(context.today));
}

} // namespace twl
