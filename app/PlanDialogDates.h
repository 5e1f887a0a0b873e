// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dates in the Plan dialog: shown in the user's regional short date, read in
// it or as YYYY-MM-DD, the form the settings file and twlc-export keep.

#include <QDateEdit>

class QCheckBox;
class QFormLayout;

namespace twl {

// The date a text gives in either form; invalid when it gives none.
QDate readPlanDate(const QString& text);
// YYYY-MM-DD when the text is a date in either form, else the text as typed
// (a payment number, or something the plan's check will name).
QString storedPlanDate(const QString& text);
// The regional form of a stored YYYY-MM-DD; any other text as it is.
QString shownPlanDate(const QString& text);

// A date that may be left out, as a row of `form` on `parent`: a check box with the
// label, named `checkName`, and a date box named `editName` beside it, named
// after the label for a screen reader and usable while the box is ticked.
void addOptionalDate(QWidget* parent, QFormLayout& form, const QString& label,
                     const char* checkName, QCheckBox*& check, const char* editName,
                     QDateEdit*& edit);

// The first-date box: its sections follow the regional short date, and a
// YYYY-MM-DD typed or pasted over the whole text is taken too.
class TPlanDateEdit : public QDateEdit {
    Q_OBJECT
public:
    explicit TPlanDateEdit(QWidget* parent = nullptr);

protected:
    QValidator::State validate(QString& text, int& pos) const override;
    QDateTime dateTimeFromText(const QString& text) const override;
};

} // namespace twl
