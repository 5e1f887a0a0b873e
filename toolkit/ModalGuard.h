// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every message box and modal dialog of the program opens through execModal,
// so that a run without a user (a HeadlessScope, see Messages.h) never waits
// for a click: the dialog's text goes to the scope's handler instead, no
// dialog runs, and a window that is shown some other way is closed again at
// once and reported too.

#include "toolkit/Messages.h"

#include <QMessageBox>
#include <QString>

class QDialog;
class QWidget;

namespace twl {

// Shows the messages of the layers below the widgets in message boxes and
// watches for windows while headless (installed by useWidgets).
MessagePresenter& widgetMessages();

// Runs `dialog` modally and returns its result. While headless the dialog's
// text goes to the handler and the result is QDialog::Rejected (for a message
// box: no button), without showing anything.
int execModal(QDialog& dialog);

// A message box with one OK button, run through execModal.
void showMessageBox(QMessageBox::Icon icon, const QString& caption, const QString& text,
                    QWidget* parent = nullptr);

} // namespace twl
