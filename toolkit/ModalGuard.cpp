// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ModalGuard.h"

#include "toolkit/MessageParent.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace twl {

namespace {

void report(const QWidget& window) {
    const auto* box = qobject_cast<const QMessageBox*>(&window);
    reportHeadless(window.windowTitle(), box ? box->text() : window.windowTitle());
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

QWidget* asWidget(QObject* object) {
    return object && object->isWidgetType() ? static_cast<QWidget*>(object) : nullptr;
}

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

class WidgetMessages : public MessagePresenter {
public:
    void show(MessageIcon icon, const QString& caption, const QString& text, QObject* parent,
              bool overActiveWindow) override {
        showMessageBox(boxIcon(icon), caption, text,
                       overActiveWindow ? messageParent() : asWidget(parent));
    }
    bool askYesNo(const QString& caption, const QString& text, QObject* parent) override {
        QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Yes | QMessageBox::No,
                        asWidget(parent));
        box.setDefaultButton(QMessageBox::No);
        return execModal(box) == QMessageBox::Yes;
    }
    QObject* newWindowWatch() override { return new WindowWatch; }
};

} // namespace

MessagePresenter& widgetMessages() {
    static WidgetMessages presenter;
    return presenter;
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
