// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Prompts.h"

#include "app/AppConsts.h"
#include "base/Format.h"
#include "export/kxExportConst.h"
#include "toolkit/ApplicationTitle.h"
#include "toolkit/ModalGuard.h"

#include <QWidget>

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
    KnownLanguages = LoadResString(rs::SKnownLanguages);
}

kxUserPromptTexts TMainPrompts::exportTexts() const {
    return {ExportFailed, ClipboardFailed, FileExists, NoSource, NoFileName, ViewFailed};
}

void TMainPrompts::setTableName(const QString& name) {
    m_tableName = name;
    if (m_table) m_table->setAccessibleName(name);
}

void TMainPrompts::nameTable(QWidget* table) {
    m_table = table;
    setTableName(m_tableName);
}

void TMainPrompts::showUnknownLanguage(QWidget* parent, const QString& language,
                                       const QStringList& languages) const {
    showMessageBox(QMessageBox::Warning, applicationTitle(),
                   Format(UnknownLanguage, {language}) + QLatin1Char('\n') +
                       Format(KnownLanguages, {languages.join(QLatin1String(", "))}),
                   parent);
}

} // namespace twl
