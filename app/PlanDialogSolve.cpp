// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlanDialogSolve.h"

#include "app/PlanDialogChoices.h"
#include "app/PlanDialogDates.h"
#include "app/PlanLabels.h"
#include "base/Format.h"
#include "base/ResourceStrings.h"
#include "loan/LoanConsts.h"
#include "widgets/LbSpeedButtonAccessible.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>

namespace twl {

QStringList solveKeywords() {
    return {QString(), QStringLiteral("amount"), QStringLiteral("months"), QStringLiteral("rate")};
}

SolvedInput solvedInput(const QString& keyword) {
    const qsizetype index = solveKeywords().indexOf(keyword.trimmed().toLower());
    return index <= 0 ? SolvedInput::Nothing : static_cast<SolvedInput>(index);
}

TPlanDialogSolve::TPlanDialogSolve(const TPlanLabels& labels, QWidget* parent)
    : QGroupBox(labels.SolveGroup, parent) {
    setObjectName(QStringLiteral("solvegrp"));
    auto* form = new QFormLayout(this);

    solvecmb = named<QComboBox>(this, "solvecmb");
    fillChoices(*solvecmb, labels.SolveNames, solveKeywords());
    form->addRow(labels.SolveLabel, solvecmb);
    paymentedt = named<QLineEdit>(this, "paymentedt");
    form->addRow(labels.PaymentLabel, paymentedt);
    // The payment counts only while something is solved from it.
    connect(solvecmb, &QComboBox::currentIndexChanged, paymentedt,
            [this](int index) { paymentedt->setEnabled(index > 0); });

    ratestbl = named<QTableWidget>(this, "ratestbl");
    ratestbl->setColumnCount(2);
    ratestbl->setHorizontalHeaderLabels({labels.RateChangeWhen, labels.RateChangeRate});
    ratestbl->horizontalHeader()->setStretchLastSection(true);
    const QFontMetrics fm = ratestbl->horizontalHeader()->fontMetrics();
    // Both headers in full, in any language, without scrolling.
    const int whenWidth = std::max(100, fm.horizontalAdvance(labels.RateChangeWhen) + 24);
    ratestbl->setColumnWidth(0, whenWidth);
    ratestbl->setMinimumWidth(whenWidth + fm.horizontalAdvance(labels.RateChangeRate) + 24 +
                              2 * ratestbl->frameWidth());
    ratestbl->verticalHeader()->hide();
    ratestbl->setMinimumHeight(90);
    ratestbl->setAccessibleName(captionWithoutMnemonic(labels.RateChangesLabel));
    addratebtn = named<QPushButton>(this, "addratebtn");
    addratebtn->setText(labels.AddRateChange);
    removeratebtn = named<QPushButton>(this, "removeratebtn");
    removeratebtn->setText(labels.RemoveRateChange);
    addEditableTable(*form, labels.RateChangesLabel, *ratestbl, *addratebtn, *removeratebtn,
                     [this] { addChangeRow(QString(), QString()); });

    afterratecmb = named<QComboBox>(this, "afterratecmb");
    fillChoices(*afterratecmb, labels.AfterRateChangeNames, afterRateChangeKeywords());
    form->addRow(labels.AfterRateChangeLabel, afterratecmb);
    clear();
}

void TPlanDialogSolve::addChangeRow(const QString& when, const QString& rate) {
    const int row = ratestbl->rowCount();
    ratestbl->insertRow(row);
    ratestbl->setItem(row, 0, new QTableWidgetItem(when));
    ratestbl->setItem(row, 1, new QTableWidgetItem(rate));
}

void TPlanDialogSolve::clear() {
    solvecmb->setCurrentIndex(0);
    paymentedt->clear();
    paymentedt->setEnabled(false);
    ratestbl->setRowCount(0);
    afterratecmb->setCurrentIndex(0);
}

void TPlanDialogSolve::setTexts(const PlanTexts& texts, const QString& solveFor) {
    clear();
    selectKeyword(*solvecmb, solveFor);
    paymentedt->setText(texts.payment.trimmed());
    for (const QString& change : texts.rateChanges) {
        const qsizetype eq = change.indexOf(QLatin1Char('='));
        addChangeRow(shownPlanDate(change.left(eq).trimmed()),
                     eq < 0 ? QString() : change.mid(eq + 1).trimmed());
    }
    selectKeyword(*afterratecmb, texts.afterRateChange);
}

std::vector<int> TPlanDialogSolve::changeRows() const {
    // A half-filled row is kept, so that OK says what is missing.
    std::vector<int> rows;
    for (int row = 0; row < ratestbl->rowCount(); ++row)
        if (!cellText(*ratestbl, row, 0).isEmpty() || !cellText(*ratestbl, row, 1).isEmpty())
            rows.push_back(row);
    return rows;
}

void TPlanDialogSolve::writeTexts(PlanTexts& texts) const {
    texts.payment = solveFor().isEmpty() ? QString() : paymentedt->text().trimmed();
    texts.rateChanges.clear();
    for (const int row : changeRows())
        texts.rateChanges << storedPlanDate(cellText(*ratestbl, row, 0)) + QLatin1Char('=') +
                                 cellText(*ratestbl, row, 1);
    texts.afterRateChange = chosenKeyword(*afterratecmb);
}

QString TPlanDialogSolve::solveFor() const {
    return chosenKeyword(*solvecmb);
}

void TPlanDialogSolve::check(const PlanTexts& texts) const {
    if (!solveFor().isEmpty() && texts.payment.trimmed().isEmpty())
        throw EPlanInput(PlanField::Payment,
                         Format(LoadResString(rs::SSolveWhich), {LoadResString(rs::SPaymentName)}));
}

bool TPlanDialogSolve::focusField(PlanField field, int refusedRow) {
    QWidget* target = nullptr;
    if (field == PlanField::Payment) {
        target = paymentedt->isEnabled() ? static_cast<QWidget*>(paymentedt) : solvecmb;
    } else if (field == PlanField::RateChange) {
        if (refusedRow >= 0) ratestbl->setCurrentCell(refusedRow, 0);
        target = ratestbl;
    } else if (field == PlanField::AfterRateChange) {
        target = afterratecmb;
    }
    if (target) target->setFocus(Qt::OtherFocusReason);
    return target != nullptr;
}

} // namespace twl
