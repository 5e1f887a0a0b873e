// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An independent reference for the rate solver: every payment discounted on
// its own with powl, the rate found by halving in long double.

#include <cmath>
#include <utility>
#include <vector>

namespace twl::test {

// A payment: its time in units of the rate, its amount.
using Flow = std::pair<long double, long double>;

// The rate per unit of time at which `flows` are worth `advance`; the first
// period's `fraction` earns simple interest.
inline long double referenceRate(const std::vector<Flow>& flows, long double advance,
                                 long double fraction = 0) {
    const auto worth = [&](long double rate) {
        long double sum = 0;
        for (const auto& [time, amount] : flows)
            sum += amount / std::pow(1 + rate, time);
        return sum / (1 + fraction * rate);
    };
    long double low = -0.999L, high = 10;
    for (int i = 0; i < 200; ++i) {
        const long double mid = (low + high) / 2;
        (worth(mid) > advance ? low : high) = mid;
    }
    return (low + high) / 2;
}

// `count` payments of `amount`, the first at `first`, each next `step` later.
inline std::vector<Flow> levelFlows(int count, long double amount, long double first,
                                    long double step) {
    std::vector<Flow> flows;
    for (int k = 0; k < count; ++k)
        flows.emplace_back(first + k * step, amount);
    return flows;
}

} // namespace twl::test
