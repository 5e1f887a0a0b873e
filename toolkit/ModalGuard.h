// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every message box and modal dialog of the program opens through execModal.
// A run without a user (the command-line export) holds a HeadlessScope: each
// message goes to the scope's handler instead of a window, no dialog runs, and
// a window that is shown some other way is closed again at once and reported
// too, so nothing can wait for a click that nobody will make.

#include <QMessageBox>
#include <QString>
#include <functional>

class QDialog;
class QWidget;

namespace twl {

using HeadlessMessageHandler = std::function<void(const QString& caption, const QString& text)>;

class HeadlessScope {
public:
    explicit HeadlessScope(HeadlessMessageHandler handler);
    ~HeadlessScope();
    HeadlessScope(const HeadlessScope&) = delete;
    HeadlessScope& operator=(const HeadlessScope&) = delete;

private:
    HeadlessMessageHandler m_previous;
    QObject* m_windowWatch;
};

// Whether a HeadlessScope is active: windows must not be shown.
bool isHeadless();

// Runs `dialog` modally and returns its result. While headless the dialog's
// text goes to the handler and the result is QDialog::Rejected (for a message
// box: no button), without showing anything.
int execModal(QDialog& dialog);

// A message box with one OK button, run through execModal.
void showMessageBox(QMessageBox::Icon icon, const QString& caption, const QString& text,
                    QWidget* parent = nullptr);

} // namespace twl
