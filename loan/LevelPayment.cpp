// SPDX-License-Identifier: GPL-3.0-or-later
#include "loan/LevelPayment.h"

#include "loan/StoredArithmetic.h"

namespace twl {

namespace {

template <class Formula> double stored(Formula&& formula) {
    return evaluateStored(true, formula);
}

long double ld(double v) {
    return static_cast<long double>(v);
}

thread_local std::uint64_t threadProducts = 0;

} // namespace

std::uint64_t CompoundFactors::productsOnThisThread() {
    return threadProducts;
}

double CompoundFactors::next(double previous) {
    ++m_products;
    ++threadProducts;
    return stored([&] { return (m_q + 1) * ld(previous); });
}

double CompoundFactors::operator()(std::int32_t n) {
    // The sequence is extended as far as asked, keeping each block's start.
    while (m_known < n) {
        m_last = m_known == 0 ? stored([&] { return m_q + 1; }) : next(m_last);
        if (m_known % Stride == 0) m_starts.push_back(m_last);
        ++m_known;
    }
    if (n == m_known) return m_last;
    const std::int32_t index = n - 1;
    const std::int32_t start = index - index % Stride;
    if (m_block.empty() || m_blockStart != start) {
        // The same products from the block's start give the same doubles.
        m_block.assign(1, m_starts[static_cast<std::size_t>(start / Stride)]);
        const std::int32_t end = std::min(start + Stride, m_known);
        for (std::int32_t j = start + 1; j < end; ++j)
            m_block.push_back(next(m_block.back()));
        m_blockStart = start;
    }
    return m_block[static_cast<std::size_t>(index - start)];
}

double levelPayment(double B, CompoundFactors& factors, std::int32_t n, double balloon) {
    const long double q = factors.q();
    const double F = factors(n);
    const double D = stored([&] { return 1 / q - 1 / (q * ld(F)); });
    if (balloon == 0) return stored([&] { return ld(B) / ld(D); });
    return stored([&] { return ld(B) * q + (ld(B) - ld(balloon)) / (ld(F) * ld(D)); });
}

} // namespace twl
