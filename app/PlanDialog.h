// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "Plan..." dialog of the main window: the borrower's plan options, edited
// as the texts twlc-export's flags take (PlanTexts), so that the window keeps
// them in the settings file's [Plan] section as they are. OK checks them as
// the calculation will, against the loan typed in the window: a bad entry keeps
// the dialog open, with a message that names it and the focus on it.

#include "loan/CostSchedule.h"
#include "loan/PlanText.h"

#include <QDialog>
#include <QImage>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QLabel;

namespace twl {

class TCostLabels;
class TPlanDialogCost;
class TPlanDialogSolve;
class TPlanLabels;

// The picture of the main window's Plan button: a calendar page, 16 x 16, on
// the magenta the button's pictures stand on.
QImage planGlyph();

class TPlanDialog : public QDialog {
    Q_OBJECT
public:
    // Without cost labels the cost group shows the English built-in texts.
    TPlanDialog(const TPlanLabels& labels, QWidget* parent = nullptr,
                const TCostLabels* costLabels = nullptr);

    void setTexts(const PlanTexts& texts, const CostTexts& cost = {}, const QString& solveFor = {});
    PlanTexts texts() const;
    CostTexts costTexts() const;
    // The keyword of the input solved from the payment; empty: none.
    QString solveFor() const;
    // The loan the plan is checked against: the window's amount and number
    // of payments as typed. Texts that do not read check the plan alone.
    void setLoan(const QString& amount, const QString& months);

    void accept() override;

    QCheckBox* firstdatechk;
    QDateEdit* firstdateedt; // a TPlanDateEdit
    QComboBox* periodcmb;
    QTableWidget* extrastbl;
    QPushButton* addextrabtn;
    QPushButton* removeextrabtn;
    QLineEdit* eachamountedt;
    QSpinBox* eachfromspn;
    QSpinBox* eachtospn;
    QComboBox* afterextracmb;
    QComboBox* roundingcmb;
    QLineEdit* balloonedt;
    // What the loan costs: its own group (app/PlanDialogCost), edited as the
    // texts of twlc-export's cost flags.
    TPlanDialogCost* costgrp;
    // Solving from a payment and rate changes: app/PlanDialogSolve.
    TPlanDialogSolve* solvegrp;
    QPushButton* clearbtn;
    QPushButton* okbtn;
    QPushButton* cancelbtn;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void clear();
    // The checks of the calculation; throws EPlanInput.
    void check(const PlanTexts& texts) const;
    // The first entry of texts.*list that the check refuses on its own, or -1.
    int refusedEntry(const PlanTexts& texts, QStringList PlanTexts::*list) const;
    // The field of the recurring extra that the check refuses.
    QWidget* refusedRecurringField(const PlanTexts& texts) const;
    void focusField(PlanField field, const PlanTexts& texts);

    QString m_amount;
    QString m_months;

    // Recurring extras after the first (from twlc.ini): not shown, kept.
    QStringList m_moreExtraEach;
};

} // namespace twl
