#include "toolkit/ErrorDisplay.h"

#include "toolkit/ToolkitConsts.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace twl {

QString defaultErrorText(const QString& message) {
    if (!message.isEmpty() && message.back().unicode() > u'.') return message + QLatin1Char('.');
    return message;
}

QString localErrorText(const Exception& error) {
    return error.message() + QLatin1String(": ") + QString::fromLatin1(error.typeName());
}

void ShowDefaultError(const QString& message) {
    QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(),
                    defaultErrorText(message), QMessageBox::Ok);
    box.exec();
}

void ShowLocalError(const Exception& error) {
    QMessageBox box(QMessageBox::Critical, LoadResString(rs::SMsgDlgError), localErrorText(error),
                    QMessageBox::Ok);
    box.exec();
}

} // namespace twl
