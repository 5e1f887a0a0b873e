// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlanDialogDates.h"

#include "base/RegionalSettings.h"
#include "widgets/LbSpeedButtonAccessible.h"

#include <QCheckBox>
#include <QFormLayout>

#include <QRegularExpression>

namespace twl {

namespace {

QDate isoDate(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    return form.match(text).hasMatch() ? QDate::fromString(text, Qt::ISODate) : QDate();
}

QDate regionalDate(const QString& text) {
    const QString pattern = regionalSettings().shortDateFormat;
    QDate date = QDate::fromString(text, pattern);
    // A two-digit year means this century's, as the user writes it.
    if (date.isValid() && !pattern.contains(QLatin1String("yyyy")) && date.year() < 2000)
        date = date.addYears(100);
    return date;
}

} // namespace

QDate readPlanDate(const QString& text) {
    const QString t = text.trimmed();
    const QDate iso = isoDate(t);
    return iso.isValid() ? iso : regionalDate(t);
}

QString storedPlanDate(const QString& text) {
    const QDate date = readPlanDate(text);
    return date.isValid() ? date.toString(Qt::ISODate) : text;
}

QString shownPlanDate(const QString& text) {
    const QDate date = isoDate(text.trimmed());
    return date.isValid() ? DateToStr(date) : text;
}

void addOptionalDate(QWidget* parent, QFormLayout& form, const QString& label,
                     const char* checkName, QCheckBox*& check, const char* editName,
                     QDateEdit*& edit) {
    check = new QCheckBox(label, parent);
    check->setObjectName(QLatin1String(checkName));
    edit = new TPlanDateEdit(parent);
    edit->setObjectName(QLatin1String(editName));
    edit->setAccessibleName(captionWithoutMnemonic(label));
    edit->setCalendarPopup(true);
    edit->setEnabled(false);
    QObject::connect(check, &QCheckBox::toggled, edit, &QWidget::setEnabled);
    form.addRow(check, edit);
}

TPlanDateEdit::TPlanDateEdit(QWidget* parent)
    : QDateEdit(parent) {
    setDisplayFormat(regionalSettings().shortDateFormat);
}

QValidator::State TPlanDateEdit::validate(QString& text, int& pos) const {
    if (isoDate(text.trimmed()).isValid()) return QValidator::Acceptable;
    return QDateEdit::validate(text, pos);
}

QDateTime TPlanDateEdit::dateTimeFromText(const QString& text) const {
    const QDate iso = isoDate(text.trimmed());
    if (iso.isValid()) return QDateTime(iso, QTime(0, 0));
    return QDateEdit::dateTimeFromText(text);
}

} // namespace twl
