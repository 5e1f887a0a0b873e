// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Messages for the user, with or without the widget module. A run without a
// user (the command-line export) holds a HeadlessScope: each message goes to
// the scope's handler instead of a window, so nothing can wait for a click
// that nobody will make. The windows themselves belong to the widget layer,
// which presents them once installed (useWidgets, UseWidgets.h); a process without
// widgets writes a message it cannot show to standard error.

#include <QString>
#include <functional>

class QObject;

namespace twl {

enum class MessageIcon { None, Information, Warning, Critical };

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
// Passes a message to the active scope's handler; false when there is none.
bool reportHeadless(const QString& caption, const QString& text);

// What shows messages in windows; the widget layer installs one.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    // `parent` is the window the message belongs to; with `overActiveWindow`
    // it is the window the user works in instead.
    virtual void show(MessageIcon icon, const QString& caption, const QString& text,
                      QObject* parent, bool overActiveWindow) = 0;
    // A Yes/No question whose default answer is No; true for Yes.
    virtual bool askYesNo(const QString& caption, const QString& text, QObject* parent) = 0;
    // A new event filter that closes and reports windows shown while headless.
    virtual QObject* newWindowWatch() = 0;
};
void setMessagePresenter(MessagePresenter* presenter);

// A message with an OK button over the window the user works in.
void showMessage(MessageIcon icon, const QString& caption, const QString& text);
// The same over `parent` (none: a window of its own).
void showMessageOver(MessageIcon icon, const QString& caption, const QString& text,
                     QObject* parent);
// While headless the question is reported and answered No.
bool askYesNo(const QString& caption, const QString& text, QObject* parent);

} // namespace twl
