// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlanDialogCost.h"

#include "app/CostLabels.h"
#include "app/PlanDialogChoices.h"
#include "app/PlanDialogDates.h"
#include "base/NumberParse.h"
#include "base/RegionalSettings.h"
#include "widgets/LbSpeedButtonAccessible.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>
#include <limits>

namespace twl {

namespace {

const QLatin1String Financed(":financed");

bool isFinanced(const QTableWidgetItem* kind) {
    return kind && kind->checkState() == Qt::Checked;
}

} // namespace

TPlanDialogCost::TPlanDialogCost(const TCostLabels& labels, QWidget* parent)
    : QGroupBox(labels.GroupCaption, parent) {
    setObjectName(QStringLiteral("costgrp"));
    m_kinds = labels.FeeKinds.split(QLatin1Char('|'));
    m_kinds.resize(2);
    auto* form = new QFormLayout(this);

    addOptionalDate(this, *form, labels.LoanDateCheck, "loandatechk", loandatechk, "loandateedt",
                    loandateedt);

    feestbl = named<QTableWidget>(this, "feestbl");
    feestbl->setColumnCount(2);
    feestbl->setHorizontalHeaderLabels({labels.FeeAmount, labels.FeePaid});
    feestbl->horizontalHeader()->setStretchLastSection(true);
    // Room for an amount, or for the translated header when it is wider.
    const QFontMetrics fm = feestbl->horizontalHeader()->fontMetrics();
    feestbl->setColumnWidth(0, std::max({120, fm.horizontalAdvance(labels.FeeAmount) + 24}));
    feestbl->verticalHeader()->hide();
    feestbl->setMinimumHeight(90);
    feestbl->setAccessibleName(captionWithoutMnemonic(labels.FeesLabel));
    // The kind's text follows its check box: what a fee is, said in words.
    connect(feestbl, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() != 1) return;
        const QString text = m_kinds[isFinanced(item) ? 1 : 0];
        if (item->text() != text) item->setText(text);
    });
    addfeebtn = named<QPushButton>(this, "addfeebtn");
    addfeebtn->setText(labels.AddFee);
    removefeebtn = named<QPushButton>(this, "removefeebtn");
    removefeebtn->setText(labels.RemoveFee);
    addEditableTable(*form, labels.FeesLabel, *feestbl, *addfeebtn, *removefeebtn,
                     [this] { addFeeRow(QString(), false); });

    rulecmb = named<QComboBox>(this, "rulecmb");
    fillChoices(*rulecmb, labels.RuleNames, QStringList{QString()} + aprRuleKeywords());
    form->addRow(labels.RuleLabel, rulecmb);
    clear();
}

void TPlanDialogCost::addFeeRow(const QString& amount, bool financed) {
    const int row = feestbl->rowCount();
    feestbl->insertRow(row);
    feestbl->setItem(row, 0, new QTableWidgetItem(amount));
    auto* kind = new QTableWidgetItem(m_kinds[financed ? 1 : 0]);
    // Space or a click ticks it; it is never typed into.
    kind->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    kind->setCheckState(financed ? Qt::Checked : Qt::Unchecked);
    feestbl->setItem(row, 1, kind);
}

void TPlanDialogCost::clear() {
    loandatechk->setChecked(false);
    loandateedt->setDate(currentDateTime().date());
    feestbl->setRowCount(0);
    rulecmb->setCurrentIndex(0);
}

void TPlanDialogCost::setTexts(const CostTexts& texts) {
    clear();
    const QDate loanDate = readPlanDate(texts.loanDate);
    loandatechk->setChecked(loanDate.isValid());
    if (loanDate.isValid()) loandateedt->setDate(loanDate);
    for (const QString& fee : texts.fees) {
        const QString t = fee.trimmed();
        const bool financed = t.endsWith(Financed, Qt::CaseInsensitive);
        addFeeRow(financed ? t.chopped(Financed.size()).trimmed() : t, financed);
    }
    selectKeyword(*rulecmb, texts.rule);
}

std::vector<int> TPlanDialogCost::feeRows() const {
    // A row left without an amount is no fee, whatever its kind.
    std::vector<int> rows;
    for (int row = 0; row < feestbl->rowCount(); ++row)
        if (!cellText(*feestbl, row, 0).isEmpty()) rows.push_back(row);
    return rows;
}

CostTexts TPlanDialogCost::texts() const {
    CostTexts t;
    if (loandatechk->isChecked()) t.loanDate = loandateedt->date().toString(Qt::ISODate);
    for (const int row : feeRows())
        t.fees << cellText(*feestbl, row, 0) +
                      (isFinanced(feestbl->item(row, 1)) ? QString(Financed) : QString());
    t.rule = chosenKeyword(*rulecmb);
    return t;
}

void TPlanDialogCost::check(const CostTexts& texts, const PlanOptions& plan,
                            const QString& amount) const {
    const CostOptions cost = parseCostTexts(texts);
    double typed = 0;
    // Without an amount that reads, every check but the one against it.
    if (!TryStrToFloat(amount, typed)) typed = std::numeric_limits<double>::infinity();
    checkCost(cost, plan, typed);
}

void TPlanDialogCost::focusField(CostField field, const CostTexts& texts) {
    QWidget* target = rulecmb;
    if (field == CostField::LoanDate) {
        target = loandateedt->isEnabled() ? static_cast<QWidget*>(loandateedt) : loandatechk;
    } else if (field == CostField::Fee) {
        target = feestbl;
        // The first fee refused on its own; the fees together otherwise.
        const std::vector<int> rows = feeRows();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            try {
                checkCost(parseCostTexts({.fees = {texts.fees.value(static_cast<qsizetype>(i))}}),
                          PlanOptions{}, std::numeric_limits<double>::infinity());
            } catch (const ECostInput&) {
                feestbl->setCurrentCell(rows[i], 0);
                break;
            }
        }
    }
    target->setFocus(Qt::OtherFocusReason);
}

} // namespace twl
