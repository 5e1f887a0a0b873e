// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ModalGuard.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <utility>

namespace twl {

namespace {

HeadlessMessageHandler& handlerSlot() {
    static HeadlessMessageHandler handler;
    return handler;
}

void report(const QWidget& window) {
    const auto* box = qobject_cast<const QMessageBox*>(&window);
    const QString text = box ? box->text() : window.windowTitle();
    if (handlerSlot()) handlerSlot()(window.windowTitle(), text);
}

// Catches a window shown past execModal; it is closed from the event loop,
// which also ends a modal loop it may have started.
class WindowWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (!widget->isWindow()) return false;
        report(*widget);
        QPointer<QWidget> target(widget);
        QMetaObject::invokeMethod(
            this,
            [target] {
                if (!target) return;
                if (auto* dialog = qobject_cast<QDialog*>(target.data()))
                    dialog->reject();
                else
                    target->close();
            },
            Qt::QueuedConnection);
        return false;
    }
};

} // namespace

HeadlessScope::HeadlessScope(HeadlessMessageHandler handler)
    : m_previous(std::exchange(handlerSlot(), std::move(handler)))
    , m_windowWatch(new WindowWatch) {
    if (!handlerSlot()) handlerSlot() = [](const QString&, const QString&) {};
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(m_windowWatch);
}

HeadlessScope::~HeadlessScope() {
    delete m_windowWatch;
    handlerSlot() = std::move(m_previous);
}

bool isHeadless() {
    return static_cast<bool>(handlerSlot());
}

int execModal(QDialog& dialog) {
    if (isHeadless()) {
        report(dialog);
        return QDialog::Rejected;
    }
    return dialog.exec();
}

void showMessageBox(QMessageBox::Icon icon, const QString& caption, const QString& text,
                    QWidget* parent) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    execModal(box);
}

} // namespace twl
