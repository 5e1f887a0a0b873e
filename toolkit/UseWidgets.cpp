// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/UseWidgets.h"

#include "toolkit/Component.h"
#include "toolkit/ModalGuard.h"

#include <QWidget>

namespace twl {

namespace {
QObject* windowOfWidget(QObject* widget) {
    return widget->isWidgetType() ? static_cast<QWidget*>(widget)->window() : widget;
}
} // namespace

void useWidgets() {
    setMessagePresenter(&widgetMessages());
    setWindowOfWidgets(&windowOfWidget);
}

} // namespace twl
