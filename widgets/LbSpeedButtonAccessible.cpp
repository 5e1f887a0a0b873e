// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/LbSpeedButtonAccessible.h"

#include "widgets/LbSpeedButton.h"

#include <QAccessibleWidget>

namespace twl {

namespace {

class SpeedButtonAccessible : public QAccessibleWidget {
public:
    explicit SpeedButtonAccessible(TLbSpeedButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && button()->accessibleName().isEmpty())
            return captionWithoutMnemonic(button()->Caption());
        if (t == QAccessible::Description && button()->accessibleDescription().isEmpty())
            return button()->Hint();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = button()->Down();
        if (button()->GroupIndex() != 0) {
            s.checkable = true;
            s.checked = button()->Down();
        }
        return s;
    }

    QStringList actionNames() const override {
        if (!button()->isEnabled()) return {};
        return {pressAction()};
    }

    void doAction(const QString& name) override {
        if (name == pressAction() && button()->isEnabled()) button()->Click();
    }

    QStringList keyBindingsForAction(const QString& name) const override {
        if (name != pressAction()) return {};
        const QKeySequence mnemonic = QKeySequence::mnemonic(button()->Caption());
        if (mnemonic.isEmpty()) return {};
        return {mnemonic.toString(QKeySequence::NativeText)};
    }

private:
    TLbSpeedButton* button() const { return static_cast<TLbSpeedButton*>(widget()); }
};

QAccessibleInterface* speedButtonFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("twl::TLbSpeedButton") || !object || !object->isWidgetType())
        return nullptr;
    return new SpeedButtonAccessible(static_cast<TLbSpeedButton*>(object));
}

} // namespace

QString captionWithoutMnemonic(const QString& caption) {
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 == caption.size()) break;
            ++i;
        }
        out.append(caption[i]);
    }
    return out;
}

void installSpeedButtonAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(speedButtonFactory);
        return true;
    }();
    (void)installed;
}

} // namespace twl
