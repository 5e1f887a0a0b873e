// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A plan's rate changes in the order of the payments they start from, asked
// for rising payment numbers as the schedule is made; a later change given
// for the same payment wins.

#include "loan/PlanOptions.h"

#include <vector>

namespace twl {

class RateSteps {
public:
    struct Step {
        std::int32_t period = 0;
        double rate = 0;
        std::size_t index = 0; // in the plan's list, for a message that names it
    };

    RateSteps(const PlanOptions& plan, std::int32_t N);
    // The change that starts at payment k, or null.
    const Step* at(std::int32_t k);
    bool empty() const { return m_steps.empty(); }

private:
    std::vector<Step> m_steps;
    std::size_t m_next = 0;
};

// The name of change `index` (0 for the first) in messages.
QString rateChangeName(std::size_t index);

// In "keep the payment" after a change at payment k, the payment M must pay
// more than the interest I of what is owed, and end the loan within the
// payments a schedule counts. Throws EPlanInput naming the change. `q` is the
// new rate per period, `balance` what is owed as payment k starts.
void checkKeptPayment(const RateSteps::Step& step, std::int32_t k, double M, double I,
                      long double q, double balance);

// How many more payments M takes to repay `balance` at q per period; a
// closed-form estimate, for refusing a term beyond what a schedule counts.
long double paymentsToRepay(double balance, double M, long double q);

} // namespace twl
