// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Plan dialog's group for asking the loan: which input is solved from a
// given payment (the main window then leaves that box to the calculation),
// the payment, the rate changes and what follows them. Edited as the texts of
// twlc-export's --payment, --rate-change and --after-rate-change, plus the
// input solved for, which the command line tells by the flag left out.

#include "loan/PlanText.h"

#include <QGroupBox>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace twl {

class TPlanLabels;

// The inputs a loan can be solved for, as kept in the settings file; the
// first, empty, is solving nothing.
QStringList solveKeywords();
// Which input a keyword solves; Nothing for any other text.
SolvedInput solvedInput(const QString& keyword);

class TPlanDialogSolve : public QGroupBox {
    Q_OBJECT
public:
    TPlanDialogSolve(const TPlanLabels& labels, QWidget* parent = nullptr);

    void clear();
    // The group's part of the plan (payment, rate changes, after a change) and
    // the keyword of the input solved for.
    void setTexts(const PlanTexts& texts, const QString& solveFor);
    // Fills in the group's part of `texts`; the payment only while solving.
    void writeTexts(PlanTexts& texts) const;
    QString solveFor() const;

    // A solving plan needs its payment; throws EPlanInput (the payment) with
    // the calculation's message when it is missing.
    void check(const PlanTexts& texts) const;
    // Puts the focus on the field at fault; false for a field not in the group.
    bool focusField(PlanField field, int refusedRow);
    // The rate change rows in the order of the texts' changes.
    std::vector<int> changeRows() const;

    QComboBox* solvecmb;
    QLineEdit* paymentedt;
    QTableWidget* ratestbl; // payment number or date; the new rate in percent
    QPushButton* addratebtn;
    QPushButton* removeratebtn;
    QComboBox* afterratecmb;

private:
    void addChangeRow(const QString& when, const QString& rate);
};

} // namespace twl
