// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's three boxes of the loan (amount, number of payments,
// rate) while the Plan dialog's choice solves one of them from the payment:
// that box is read-only and shows the solved value, the others are typed.
// Leaving solving gives the box back with what the user last typed in it.

#include "loan/PlanSchedule.h"

#include <QString>
#include <array>

class QLineEdit;

namespace twl {

class SolveBoxes {
public:
    // In the order amount, number of payments, rate.
    explicit SolveBoxes(std::array<QLineEdit*, 3> boxes)
        : m_boxes(boxes) {}

    // Makes the box of `solved` read-only (Nothing: every box typed).
    void setSolved(SolvedInput solved);
    SolvedInput solved() const { return m_solved; }

    // The loan as typed; while solving, with the solved input worked out from
    // options.payment and shown in its box (the box emptied when it cannot
    // be). Not solving, a payment kept in the plan is not used.
    ScheduleInputs inputs(PlanOptions& options) const;

private:
    std::array<QLineEdit*, 3> m_boxes;
    std::array<QString, 3> m_typed;
    SolvedInput m_solved = SolvedInput::Nothing;
};

} // namespace twl
