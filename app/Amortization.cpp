#include "app/Amortization.h"

#include "app/AppConsts.h"
#include "base/FloatingPoint.h"
#include "base/NumberFormat.h"
#include "base/NumberParse.h"
#include "base/RegionalSettings.h"

#include <cfloat>
#include <cmath>

namespace twl {

namespace {

// Each formula is evaluated in extended precision and rounded when stored.
// The fault flags are tested after every formula; they are sticky, so one
// clearing at the start of each month is enough (a set flag raises at once).
// Operands and results pass through volatile objects, so the compiler cannot
// move the arithmetic across the flag tests.
template <class Formula> long double extended(Formula&& formula) {
    volatile long double result = formula();
    raiseFloatingPointFaults();
    return result;
}

template <class Formula> double stored(Formula&& formula) {
    volatile long double result = formula();
    volatile double rounded = static_cast<double>(result);
    raiseFloatingPointFaults();
    return rounded;
}

long double ld(const volatile double& v) {
    return static_cast<long double>(v);
}

} // namespace

void RowSink::beginRow(const QString& caption) {
    flush();
    m_caption = caption;
    m_cells.reserve(4);
    m_open = true;
}

void RowSink::flush() {
    if (!m_open) return;
    m_commit(m_caption, m_cells);
    m_cells = QStringList();
    m_open = false;
}

QString formatAmount(double value, const QString& decimalSetting) {
    int d = StrToInt(decimalSetting);
    if (d < 0 || d > 18) d = 2;
    return FormatFixed(value, d, regionalSettings().decimalSeparator);
}

void CalculateSchedule(const ScheduleInputs& inputs, const ScheduleContext& context,
                       ScheduleSink& sink) {
    if (inputs.amount.isEmpty() || inputs.months.isEmpty() || inputs.rate.isEmpty()) return;
    const double P = StrToFloat(inputs.amount);
    const std::int32_t N = StrToInt(inputs.months);
    const double R = StrToFloat(inputs.rate);

    const auto fmt = [&](double x) { return formatAmount(x, context.readDecimal()); };

    volatile double vP = P;
    volatile double vR = R;
    volatile double B = P;
    volatile double M = 0;
    volatile double SM = 0, SI = 0, SPr = 0;
    volatile double I = 0, F = 0, D = 0, Pr = 0;
    long double q1 = 0;

    for (std::int32_t k = 1; k <= N; ++k) {
        clearFloatingPointFaults();
        I = stored([&] { return ld(B) * ld(vR) / 12 / 100; });
        volatile long double q = extended([&] { return ld(I) / ld(vP); });

        // From month 2 on, with M set, steps b to d only matter for the faults
        // they raise. When 0 < q <= q(1), each F of this month is at most the
        // same F of month 1 (rounding is monotonic and every factor is >= 1),
        // and month 1 stored them all without overflow; F >= 1 keeps q*F > 0.
        // D then lies in [0, 1/q), so with 1/q within the double range nothing
        // can overflow, divide by zero or be invalid: skip the O(N) loop.
        // (q * DBL_MAX >= 1 tests 1/q <= DBL_MAX without a division that could
        // itself set a fault flag.)
        const bool provablyQuiet = !context.literalLoop && k >= 2 && M != 0 && q > 0 && q <= q1 &&
                                   q * static_cast<long double>(DBL_MAX) >= 1.0L;
        if (!provablyQuiet) {
            F = stored([&] { return q + 1; });
            for (std::int32_t j = 1; j < N; ++j)
                F = stored([&] { return (q + 1) * ld(F); });
            D = stored([&] { return 1 / q - 1 / (q * ld(F)); });
            if (M == 0) M = stored([&] { return ld(B) / ld(D); });
        }
        if (k == 1) q1 = q;
        Pr = stored([&] { return ld(M) - ld(I); });
        B = stored([&] { return ld(B) - ld(Pr); });
        if (!(B >= 0)) B = 0;
        SM = stored([&] { return ld(SM) + ld(M); });
        SI = stored([&] { return ld(SI) + ld(I); });
        SPr = stored([&] { return ld(SPr) + ld(Pr); });

        sink.beginRow(QString::number(k));
        sink.addCell(fmt(M));
        sink.addCell(fmt(I));
        sink.addCell(fmt(Pr));
        sink.addCell(fmt(B));
    }

    sink.beginRow(LoadResString(rs::SSumCaption));
    sink.addCell(fmt(SM));
    sink.addCell(fmt(SI));
    sink.addCell(fmt(SPr));
    sink.addCell(LoadResString(rs::SNoBalance));

    const QChar sep = regionalSettings().decimalSeparator;
    sink.beginRow(context.labels.caption);
    sink.addCell(context.labels.amount + FormatGeneral(P, 15, sep));
    sink.addCell(context.labels.months + QString::number(N));
    sink.addCell(context.labels.rate + FormatGeneral(R, 15, sep));
    sink.addCell(context.labels.date + DateToStr(context.today));
}

} // namespace twl
