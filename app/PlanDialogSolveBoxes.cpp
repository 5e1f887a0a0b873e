// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlanDialogSolveBoxes.h"

#include "loan/Solve.h"

#include <QLineEdit>

namespace twl {

namespace {

// The box of a solved input: 0 amount, 1 number of payments, 2 rate; -1 none.
int boxOf(SolvedInput solved) {
    return static_cast<int>(solved) - 1;
}

QString ScheduleInputs::*const Texts[] = {&ScheduleInputs::amount, &ScheduleInputs::months,
                                          &ScheduleInputs::rate};

} // namespace

void SolveBoxes::setSolved(SolvedInput solved) {
    if (solved == m_solved) return;
    const int was = boxOf(m_solved);
    if (was >= 0) {
        QLineEdit* box = m_boxes[static_cast<std::size_t>(was)];
        box->setReadOnly(false);
        box->setText(m_typed[static_cast<std::size_t>(was)]);
    }
    const int now = boxOf(solved);
    if (now >= 0) {
        QLineEdit* box = m_boxes[static_cast<std::size_t>(now)];
        m_typed[static_cast<std::size_t>(now)] = box->text();
        // The answer shows after Calculate; until then the box is empty.
        box->clear();
        box->setReadOnly(true);
    }
    m_solved = solved;
}

ScheduleInputs SolveBoxes::inputs(PlanOptions& options) const {
    ScheduleInputs inputs{m_boxes[0]->text(), m_boxes[1]->text(), m_boxes[2]->text()};
    const int solved = boxOf(m_solved);
    if (solved < 0) {
        options.payment = 0;
        return inputs;
    }
    QLineEdit* box = m_boxes[static_cast<std::size_t>(solved)];
    inputs.*Texts[solved] = QString();
    box->clear();
    solveInputs(inputs, options);
    box->setText(inputs.*Texts[solved]);
    return inputs;
}

} // namespace twl
