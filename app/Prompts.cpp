// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Prompts.h"

#include "app/AppConsts.h"
#include "base/Format.h"
#include "toolkit/ApplicationTitle.h"
#include "toolkit/ModalGuard.h"

namespace twl {

TMainPrompts::TMainPrompts(QObject* parent)
    : QObject(parent) {
    const kxUserPromptTexts texts = kxDefaultPromptTexts();
    FileExists = texts.FileExists;
    ExportFailed = texts.ExportFailed;
    ClipboardFailed = texts.ClipboardFailed;
    NoSource = texts.NoSource;
    NoFileName = texts.NoFileName;
    ViewFailed = texts.ViewFailed;
    UnknownLanguage = LoadResString(rs::SUnknownLanguage);
}

kxUserPromptTexts TMainPrompts::exportTexts() const {
    return {ExportFailed, ClipboardFailed, FileExists, NoSource, NoFileName, ViewFailed};
}

void TMainPrompts::showUnknownLanguage(QWidget* parent, const QString& language) const {
    showMessageBox(QMessageBox::Warning, applicationTitle(), Format(UnknownLanguage, {language}),
                   parent);
}

} // namespace twl
