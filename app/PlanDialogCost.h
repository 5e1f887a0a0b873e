// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Plan dialog's group for what the loan costs: the loan date (unchecked:
// one period before the first payment), the fees (an amount in the regional
// form, paid at the start or financed) and the rate's rule (the first choice
// is the regional settings' rule). Edited as the texts of twlc-export's cost
// flags (CostTexts), the form the settings file keeps.

#include "loan/CostSchedule.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QPushButton;
class QTableWidget;

namespace twl {

class TCostLabels;

class TPlanDialogCost : public QGroupBox {
    Q_OBJECT
public:
    TPlanDialogCost(const TCostLabels& labels, QWidget* parent = nullptr);

    void clear();
    void setTexts(const CostTexts& texts);
    CostTexts texts() const;

    // The checks of the calculation against the plan and the amount typed in
    // the window (any amount when it does not read); throws ECostInput.
    void check(const CostTexts& texts, const PlanOptions& plan, const QString& amount) const;
    // Puts the focus on the field at fault: for a fee, its row when one alone is refused.
    void focusField(CostField field, const CostTexts& texts);

    QCheckBox* loandatechk;
    QDateEdit* loandateedt; // a TPlanDateEdit
    QTableWidget* feestbl;  // amount; how it is paid (checked: financed)
    QPushButton* addfeebtn;
    QPushButton* removefeebtn;
    QComboBox* rulecmb;

private:
    void addFeeRow(const QString& amount, bool financed);
    // The rows that hold a fee, in the order of the texts' fees.
    std::vector<int> feeRows() const;

    QStringList m_kinds; // paid at the start, financed
};

} // namespace twl
