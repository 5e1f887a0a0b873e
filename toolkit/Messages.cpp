// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Messages.h"

#include <QCoreApplication>
#include <cstdio>
#include <utility>

namespace twl {

namespace {

HeadlessMessageHandler& handlerSlot() {
    static HeadlessMessageHandler handler;
    return handler;
}

MessagePresenter*& presenterSlot() {
    static MessagePresenter* presenter = nullptr;
    return presenter;
}

void writeToStandardError(const QString& caption, const QString& text) {
    std::fprintf(stderr, "%s: %s\n", caption.toLocal8Bit().constData(),
                 text.toLocal8Bit().constData());
}

void show(MessageIcon icon, const QString& caption, const QString& text, QObject* parent,
          bool overActiveWindow) {
    if (reportHeadless(caption, text)) return;
    if (MessagePresenter* presenter = presenterSlot())
        presenter->show(icon, caption, text, parent, overActiveWindow);
    else
        writeToStandardError(caption, text);
}

} // namespace

HeadlessScope::HeadlessScope(HeadlessMessageHandler handler)
    : m_previous(std::exchange(handlerSlot(), std::move(handler)))
    , m_windowWatch(presenterSlot() ? presenterSlot()->newWindowWatch() : nullptr) {
    if (!handlerSlot()) handlerSlot() = [](const QString&, const QString&) {};
    QCoreApplication* app = QCoreApplication::instance();
    if (app && m_windowWatch) app->installEventFilter(m_windowWatch);
}

HeadlessScope::~HeadlessScope() {
    delete m_windowWatch;
    handlerSlot() = std::move(m_previous);
}

bool isHeadless() {
    return static_cast<bool>(handlerSlot());
}

bool reportHeadless(const QString& caption, const QString& text) {
    if (!handlerSlot()) return false;
    handlerSlot()(caption, text);
    return true;
}

void setMessagePresenter(MessagePresenter* presenter) {
    presenterSlot() = presenter;
}

void showMessage(MessageIcon icon, const QString& caption, const QString& text) {
    show(icon, caption, text, nullptr, true);
}

void showMessageOver(MessageIcon icon, const QString& caption, const QString& text,
                     QObject* parent) {
    show(icon, caption, text, parent, false);
}

bool askYesNo(const QString& caption, const QString& text, QObject* parent) {
    if (reportHeadless(caption, text)) return false;
    if (MessagePresenter* presenter = presenterSlot())
        return presenter->askYesNo(caption, text, parent);
    writeToStandardError(caption, text);
    return false;
}

} // namespace twl
