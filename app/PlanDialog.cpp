// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlanDialog.h"

#include "app/CostLabels.h"
#include "app/PlanDialogChoices.h"
#include "app/PlanDialogCost.h"
#include "app/PlanDialogDates.h"
#include "app/PlanDialogSolve.h"
#include "app/PlanLabels.h"
#include "base/NumberParse.h"
#include "base/RegionalSettings.h"
#include "toolkit/ApplicationTitle.h"
#include "toolkit/ModalGuard.h"
#include "widgets/LbSpeedButtonAccessible.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <algorithm>

namespace twl {

QImage planGlyph() {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    QPainter p(&image);
    p.fillRect(1, 2, 14, 13, Qt::white);
    p.fillRect(1, 2, 14, 4, QColor(192, 0, 0));
    p.setPen(Qt::black);
    p.drawRect(1, 2, 13, 12);
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 4; ++col)
            p.fillRect(3 + 3 * col, 8 + 3 * row, 2, 2, Qt::darkGray);
    return image;
}

TPlanDialog::TPlanDialog(const TPlanLabels& labels, QWidget* parent, const TCostLabels* costLabels)
    : QDialog(parent) {
    setObjectName(QStringLiteral("plandlg"));
    setWindowTitle(labels.DialogCaption);
    auto* form = new QFormLayout;

    addOptionalDate(this, *form, labels.FirstDateCheck, "firstdatechk", firstdatechk,
                    "firstdateedt", firstdateedt);

    periodcmb = named<QComboBox>(this, "periodcmb");
    fillChoices(*periodcmb, labels.PeriodNames, periodKeywords());
    form->addRow(labels.PeriodLabel, periodcmb);

    extrastbl = named<QTableWidget>(this, "extrastbl");
    extrastbl->setColumnCount(2);
    extrastbl->setHorizontalHeaderLabels({labels.ExtraWhen, labels.ExtraAmount});
    extrastbl->horizontalHeader()->setStretchLastSection(true);
    // At least the designed width, wider where a translated header needs it.
    const int whenWidth =
        extrastbl->horizontalHeader()->fontMetrics().horizontalAdvance(labels.ExtraWhen) + 24;
    extrastbl->setColumnWidth(0, std::max(140, whenWidth));
    extrastbl->verticalHeader()->hide();
    extrastbl->setMinimumHeight(110);
    extrastbl->setAccessibleName(captionWithoutMnemonic(labels.ExtrasLabel));
    addextrabtn = named<QPushButton>(this, "addextrabtn");
    addextrabtn->setText(labels.AddExtra);
    removeextrabtn = named<QPushButton>(this, "removeextrabtn");
    removeextrabtn->setText(labels.RemoveExtra);
    addEditableTable(*form, labels.ExtrasLabel, *extrastbl, *addextrabtn, *removeextrabtn, [this] {
        const int row = extrastbl->rowCount();
        extrastbl->insertRow(row);
        extrastbl->setItem(row, 0, new QTableWidgetItem);
        extrastbl->setItem(row, 1, new QTableWidgetItem);
    });

    eachamountedt = named<QLineEdit>(this, "eachamountedt");
    eachfromspn = named<QSpinBox>(this, "eachfromspn");
    eachfromspn->setRange(1, 1000000);
    eachtospn = named<QSpinBox>(this, "eachtospn");
    eachtospn->setRange(0, 1000000);
    // Room for an amount however long the translated labels beside it are.
    eachamountedt->setMinimumWidth(
        eachamountedt->fontMetrics().horizontalAdvance(QStringLiteral("000000.00")) + 12);
    eachamountedt->setAccessibleName(captionWithoutMnemonic(labels.RecurringLabel));
    eachfromspn->setAccessibleName(captionWithoutMnemonic(labels.RecurringFrom));
    eachtospn->setAccessibleName(captionWithoutMnemonic(labels.RecurringTo));
    auto* each = new QHBoxLayout;
    each->addWidget(eachamountedt, 1);
    auto* fromLabel = new QLabel(labels.RecurringFrom, this);
    fromLabel->setBuddy(eachfromspn);
    each->addWidget(fromLabel);
    each->addWidget(eachfromspn);
    auto* toLabel = new QLabel(labels.RecurringTo, this);
    toLabel->setBuddy(eachtospn);
    each->addWidget(toLabel);
    each->addWidget(eachtospn);
    form->addRow(labels.RecurringLabel, each);

    afterextracmb = named<QComboBox>(this, "afterextracmb");
    fillChoices(*afterextracmb, labels.AfterExtraNames, afterExtraKeywords());
    form->addRow(labels.AfterExtraLabel, afterextracmb);
    roundingcmb = named<QComboBox>(this, "roundingcmb");
    fillChoices(*roundingcmb, labels.RoundingNames, roundingKeywords());
    form->addRow(labels.RoundingLabel, roundingcmb);
    balloonedt = named<QLineEdit>(this, "balloonedt");
    form->addRow(labels.BalloonLabel, balloonedt);

    clearbtn = named<QPushButton>(this, "clearbtn");
    clearbtn->setText(labels.ClearPlan);
    connect(clearbtn, &QPushButton::clicked, this, [this] { clear(); });
    okbtn = named<QPushButton>(this, "okbtn");
    okbtn->setText(labels.OkButton);
    okbtn->setDefault(true);
    connect(okbtn, &QPushButton::clicked, this, &QDialog::accept);
    cancelbtn = named<QPushButton>(this, "cancelbtn");
    cancelbtn->setText(labels.CancelButton);
    connect(cancelbtn, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clearbtn);
    buttons->addStretch();
    buttons->addWidget(okbtn);
    buttons->addWidget(cancelbtn);

    const TCostLabels english;
    costgrp = new TPlanDialogCost(costLabels ? *costLabels : english, this);
    solvegrp = new TPlanDialogSolve(labels, this);

    // The two groups side by side under the plan's own options: the dialog
    // stays short enough for a small screen.
    auto* groups = new QHBoxLayout;
    groups->addWidget(solvegrp, 1);
    groups->addWidget(costgrp, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(groups);
    layout->addLayout(buttons);
    clear();
}

void TPlanDialog::clear() {
    firstdatechk->setChecked(false);
    firstdateedt->setDate(currentDateTime().date());
    periodcmb->setCurrentIndex(0);
    extrastbl->setRowCount(0);
    eachamountedt->clear();
    eachfromspn->setValue(1);
    eachtospn->setValue(0);
    afterextracmb->setCurrentIndex(0);
    roundingcmb->setCurrentIndex(0);
    balloonedt->clear();
    m_moreExtraEach.clear();
    costgrp->clear();
    solvegrp->clear();
}

void TPlanDialog::setTexts(const PlanTexts& texts, const CostTexts& cost, const QString& solveFor) {
    clear();
    costgrp->setTexts(cost);
    solvegrp->setTexts(texts, solveFor);
    const QDate first = readPlanDate(texts.firstDate);
    firstdatechk->setChecked(first.isValid());
    if (first.isValid()) firstdateedt->setDate(first);
    selectKeyword(*periodcmb, texts.period);
    for (const QString& extra : texts.extras) {
        const qsizetype eq = extra.indexOf(QLatin1Char('='));
        const int row = extrastbl->rowCount();
        extrastbl->insertRow(row);
        extrastbl->setItem(row, 0, new QTableWidgetItem(shownPlanDate(extra.left(eq).trimmed())));
        extrastbl->setItem(row, 1,
                           new QTableWidgetItem(eq < 0 ? QString() : extra.mid(eq + 1).trimmed()));
    }
    // AMOUNT[@FROM[-TO]]
    const QString each = texts.extraEach.value(0).trimmed();
    // The dialog shows one recurring extra; any more are kept as they are.
    m_moreExtraEach = texts.extraEach.mid(1);
    const qsizetype at = each.indexOf(QLatin1Char('@'));
    eachamountedt->setText(at < 0 ? each : each.left(at).trimmed());
    if (at >= 0) {
        const QStringList range = each.mid(at + 1).split(QLatin1Char('-'));
        eachfromspn->setValue(range.value(0).trimmed().toInt());
        eachtospn->setValue(range.value(1).trimmed().toInt());
    }
    selectKeyword(*afterextracmb, texts.afterExtra);
    selectKeyword(*roundingcmb, texts.rounding);
    balloonedt->setText(texts.balloon.trimmed());
}

PlanTexts TPlanDialog::texts() const {
    PlanTexts t;
    if (firstdatechk->isChecked()) t.firstDate = firstdateedt->date().toString(Qt::ISODate);
    t.period = chosenKeyword(*periodcmb);
    for (int row = 0; row < extrastbl->rowCount(); ++row) {
        const QString when = storedPlanDate(cellText(*extrastbl, row, 0));
        const QString amount = cellText(*extrastbl, row, 1);
        // A half-filled row is kept, so that OK says what is missing.
        if (!when.isEmpty() || !amount.isEmpty()) t.extras << when + QLatin1Char('=') + amount;
    }
    const QString each = eachamountedt->text().trimmed();
    if (!each.isEmpty()) {
        QString text = each;
        if (eachfromspn->value() != 1 || eachtospn->value() != 0)
            text += QStringLiteral("@%1").arg(eachfromspn->value());
        if (eachtospn->value() != 0) text += QStringLiteral("-%1").arg(eachtospn->value());
        t.extraEach << text;
    }
    t.extraEach << m_moreExtraEach;
    t.afterExtra = chosenKeyword(*afterextracmb);
    t.rounding = chosenKeyword(*roundingcmb);
    t.balloon = balloonedt->text().trimmed();
    solvegrp->writeTexts(t);
    return t;
}

CostTexts TPlanDialog::costTexts() const {
    return costgrp->texts();
}

QString TPlanDialog::solveFor() const {
    return solvegrp->solveFor();
}

void TPlanDialog::keyPressEvent(QKeyEvent* event) {
    // Enter in a cell of the extras ends that cell's editing, not the dialog.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (openCellEditor(*extrastbl) || openCellEditor(*costgrp->feestbl) ||
                  openCellEditor(*solvegrp->ratestbl))) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TPlanDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The focus starts on the first control and is drawn, as after Tab, so
    // that a keyboard user sees where typing goes.
    setAttribute(Qt::WA_KeyboardFocusChange);
    firstdatechk->setFocus(Qt::TabFocusReason);
}

namespace {

// The last payment any loan of the plan can have: the last one due in the
// year 9999 when it has dates.
std::int32_t lastPossiblePayment(const PlanOptions& options) {
    constexpr std::int32_t NoLastPayment = 1000000;
    if (!options.hasDueDates()) return NoLastPayment;
    std::int32_t low = 1, high = NoLastPayment;
    while (low < high) {
        const std::int32_t mid = low + (high - low + 1) / 2;
        if (dueDate(options.firstDate, options.period, mid).year() <= 9999)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

} // namespace

void TPlanDialog::setLoan(const QString& amount, const QString& months) {
    m_amount = amount;
    m_months = months;
}

void TPlanDialog::check(const PlanTexts& texts) const {
    solvegrp->check(texts);
    const PlanOptions options = parsePlanTexts(texts);
    // The input to be solved is no part of the loan the plan is checked against.
    const SolvedInput solved = solvedInput(solvegrp->solveFor());
    const QString typedAmount = solved == SolvedInput::Amount ? QString() : m_amount;
    const QString typedMonths = solved == SolvedInput::Count ? QString() : m_months;
    double amount = 0;
    std::int32_t months = 0;
    if (TryStrToFloat(typedAmount, amount) && TryStrToInt(typedMonths, months) && months > 0) {
        checkPlan(options, amount, months);
        return;
    }
    // Without a loan that reads, whatever needs none is checked: negative
    // amounts, a date without a first date. The calculation names the boxes.
    // The stand-in amount is a whole number of cents, as a rounded plan wants.
    constexpr double NoAmountLimit = 1e13;
    checkPlan(options, NoAmountLimit, lastPossiblePayment(options));
}

int TPlanDialog::refusedEntry(const PlanTexts& texts, QStringList PlanTexts::*list) const {
    PlanTexts alone = texts;
    alone.extras.clear();
    alone.extraEach.clear();
    alone.balloon.clear();
    alone.rateChanges.clear();
    for (qsizetype i = 0; i < (texts.*list).size(); ++i) {
        alone.*list = QStringList{(texts.*list)[i]};
        try {
            check(alone);
        } catch (const EPlanInput&) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

QWidget* TPlanDialog::refusedRecurringField(const PlanTexts& texts) const {
    // The amount, unless it reads; then the first payment, unless the range
    // up to the last payment alone is refused. When the shown extra passes, the
    // fault is in one the dialog keeps without showing: its amount box it is.
    PlanTexts alone = texts;
    alone.extras.clear();
    alone.balloon.clear();
    alone.extraEach = QStringList{eachamountedt->text().trimmed()};
    try {
        check(alone);
        alone.extraEach[0] += QStringLiteral("@%1").arg(eachfromspn->value());
        check(alone);
    } catch (const EPlanInput&) {
        return alone.extraEach[0].contains(QLatin1Char('@')) ? static_cast<QWidget*>(eachfromspn)
                                                             : eachamountedt;
    }
    alone.extraEach = texts.extraEach.mid(0, 1);
    try {
        check(alone);
    } catch (const EPlanInput&) {
        return eachtospn;
    }
    return eachamountedt;
}

void TPlanDialog::focusField(PlanField field, const PlanTexts& texts) {
    QWidget* target = nullptr;
    switch (field) {
    case PlanField::FirstDate:
        target = firstdateedt;
        break;
    case PlanField::Extra: {
        // The texts keep the rows that have something typed, in order.
        std::vector<int> rows;
        for (int row = 0; row < extrastbl->rowCount(); ++row)
            if (!cellText(*extrastbl, row, 0).isEmpty() || !cellText(*extrastbl, row, 1).isEmpty())
                rows.push_back(row);
        const int entry = refusedEntry(texts, &PlanTexts::extras);
        if (entry >= 0) extrastbl->setCurrentCell(rows[static_cast<std::size_t>(entry)], 0);
        target = extrastbl;
        break;
    }
    case PlanField::RecurringExtra:
        target = refusedRecurringField(texts);
        break;
    case PlanField::AfterExtra:
        target = afterextracmb;
        break;
    case PlanField::Rounding:
        target = roundingcmb;
        break;
    case PlanField::Period:
        target = periodcmb;
        break;
    case PlanField::Balloon:
        target = balloonedt;
        break;
    case PlanField::Payment:
    case PlanField::AfterRateChange:
        solvegrp->focusField(field, -1);
        break;
    case PlanField::RateChange: {
        const int entry = refusedEntry(texts, &PlanTexts::rateChanges);
        const std::vector<int> rows = solvegrp->changeRows();
        solvegrp->focusField(field, entry < 0 ? -1 : rows[static_cast<std::size_t>(entry)]);
        break;
    }
    }
    if (target) target->setFocus(Qt::OtherFocusReason);
}

void TPlanDialog::accept() {
    // What is typed in a cell still open counts, as the user sees it.
    commitOpenCell(*extrastbl);
    commitOpenCell(*costgrp->feestbl);
    commitOpenCell(*solvegrp->ratestbl);
    const PlanTexts plan = texts();
    try {
        check(plan);
    } catch (const EPlanInput& e) {
        showMessageBox(QMessageBox::Warning, applicationTitle(), e.message(), this);
        focusField(e.field(), plan);
        return;
    }
    // The cost after the plan: the loan date is checked against its first date.
    const CostTexts cost = costgrp->texts();
    try {
        costgrp->check(cost, parsePlanTexts(plan), m_amount);
    } catch (const ECostInput& e) {
        showMessageBox(QMessageBox::Warning, applicationTitle(), e.message(), this);
        costgrp->focusField(e.field(), cost);
        return;
    }
    QDialog::accept();
}

} // namespace twl
