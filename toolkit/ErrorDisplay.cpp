// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ErrorDisplay.h"

#include "toolkit/ApplicationTitle.h"
#include "toolkit/ModalGuard.h"
#include "toolkit/ToolkitConsts.h"

namespace twl {

QString defaultErrorText(const QString& message) {
    if (!message.isEmpty() && message.back().unicode() > u'.') return message + QLatin1Char('.');
    return message;
}

QString localErrorText(const Exception& error) {
    return error.message() + QLatin1String(": ") + QString::fromLatin1(error.typeName());
}

void ShowDefaultError(const QString& message) {
    showMessageBox(QMessageBox::Critical, applicationTitle(), defaultErrorText(message),
                   messageParent());
}

void ShowLocalError(const Exception& error) {
    showMessageBox(QMessageBox::Critical, LoadResString(rs::SMsgDlgError), localErrorText(error),
                   messageParent());
}

} // namespace twl
