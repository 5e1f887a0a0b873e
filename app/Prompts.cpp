#include "app/Prompts.h"

#include "app/AppConsts.h"
#include "base/Format.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace twl {

TMainPrompts::TMainPrompts(QObject* parent)
    : QObject(parent) {
    const kxUserPromptTexts texts = kxDefaultPromptTexts();
    FileExists = texts.FileExists;
    ExportFailed = texts.ExportFailed;
    ClipboardFailed = texts.ClipboardFailed;
    NoSource = texts.NoSource;
    NoFileName = texts.NoFileName;
    UnknownLanguage = LoadResString(rs::SUnknownLanguage);
}

kxUserPromptTexts TMainPrompts::exportTexts() const {
    return {ExportFailed, ClipboardFailed, FileExists, NoSource, NoFileName};
}

void TMainPrompts::showUnknownLanguage(QWidget* parent, const QString& language) const {
    QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(),
                    Format(UnknownLanguage, {language}), QMessageBox::Ok, parent);
    box.exec();
}

} // namespace twl
