// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The level payment of a plan, the one place it is worked out: at the first
// payment and again after each extra when the term is kept.

#include <cstdint>
#include <vector>

namespace twl {

// The compound factors F(n) = (1 + q)^n as the plain loan makes them: F(1) =
// q + 1 and F(n) = (q + 1) x F(n - 1), each stored as a double. Every F(n) is
// a prefix of one sequence, so a later F(n) for a shorter term is read from
// that sequence, not multiplied out again: a plan that works the payment out
// after every period costs time linear in its periods. Only every Stride-th
// factor is kept, and a block of them is computed again from its start when
// asked for, so that the memory stays small at any length.
class CompoundFactors {
public:
    explicit CompoundFactors(long double q)
        : m_q(q) {}
    // F(n), n >= 1. Raises the fault of the first product that sets one.
    double operator()(std::int32_t n);
    // The products made so far by this object, and by every one on this
    // thread (what a whole schedule cost).
    std::uint64_t products() const { return m_products; }
    static std::uint64_t productsOnThisThread();
    long double q() const { return m_q; }

    static constexpr std::int32_t Stride = 4096;

private:
    double next(double previous);

    long double m_q;
    std::vector<double> m_starts; // F(1 + i x Stride)
    std::int32_t m_known = 0;     // the factors computed once, in order
    double m_last = 0;            // F(m_known)
    std::vector<double> m_block;  // F(m_blockStart ...), one block
    std::int32_t m_blockStart = 0;
    std::uint64_t m_products = 0;
};

// The level payment of B over n periods at the factors' rate per period, by
// the plain loan's formula: D = 1/q - 1/(qF), M = B / D. With a balloon, each
// payment is the interest of the whole balance and the annuity of the part
// that is not left owing (B = balloon: interest only). Raises the faults of
// its formulas.
double levelPayment(double B, CompoundFactors& factors, std::int32_t n, double balloon);

} // namespace twl
