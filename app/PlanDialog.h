// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "Plan..." dialog of the main window: the borrower's plan options, edited
// as the texts twlc-export's flags take (PlanTexts), so that the window keeps
// them in the settings file's [Plan] section as they are. OK checks them; a
// bad entry keeps the dialog open with a message that names it.

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

namespace twl {

class TPlanLabels;

// The picture of the main window's Plan button: a calendar page, 16 x 16, on
// the magenta the button's pictures stand on.
QImage planGlyph();

class TPlanDialog : public QDialog {
    Q_OBJECT
public:
    TPlanDialog(const TPlanLabels& labels, QWidget* parent = nullptr);

    void setTexts(const PlanTexts& texts);
    PlanTexts texts() const;

    void accept() override;

    QCheckBox* firstdatechk;
    QDateEdit* firstdateedt;
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
    QPushButton* clearbtn;
    QPushButton* okbtn;
    QPushButton* cancelbtn;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void clear();

    // Recurring extras after the first (from twlc.ini): not shown, kept.
    QStringList m_moreExtraEach;
};

} // namespace twl
