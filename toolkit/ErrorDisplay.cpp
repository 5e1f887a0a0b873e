// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ErrorDisplay.h"

#include "toolkit/ApplicationTitle.h"
#include "toolkit/Messages.h"
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
    showMessage(MessageIcon::Critical, applicationTitle(), defaultErrorText(message));
}

void ShowLocalError(const Exception& error) {
    showMessage(MessageIcon::Critical, LoadResString(rs::SMsgDlgError), localErrorText(error));
}

} // namespace twl
