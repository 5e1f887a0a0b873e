// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a host window needs around its export component: the main window's
// stored settings, and the prompts that tell the user about failures and ask
// before an existing file is replaced.
//
// The main window calls, once after creating `loanexp` and `loanview`:
//     kxApplyMainWindowSettings(*loanexp, loanview); // kxListViewExport.h
//     kxAttachUserPrompts(*loanexp, this, [p = prompts] { return p->exportTexts(); });

#include "export/kxExportTypes.h"

#include <QString>
#include <functional>

class QObject;

namespace twl {

class TkxCustomExport;

// The date and time formats the main window stores for its export component,
// "yyyy.MM.dd.", "h:mm" and "h:mm yyyy.MM.dd." (kxApplyMainWindowSettings
// adds its types and table); also for a component that stands in for the
// main window's (the command-line export).
void kxApplyMainWindowFormats(TkxCustomExport& Export);

// The texts of the prompts; kxDefaultPromptTexts gives the built-in ones.
// A host whose texts follow the language passes its own.
struct kxUserPromptTexts {
    QString ExportFailed;    // "%s" the file, "%s" the reason
    QString ClipboardFailed; // "%s" the reason
    QString FileExists;      // "%s" the file
    QString NoSource;
    QString NoFileName;
    QString ViewFailed; // "%s" the file nothing could open
};
kxUserPromptTexts kxDefaultPromptTexts();

// The text that tells the user about a reported failure, or "" when there is
// nothing to say (the user cancelled the save dialog or refused an overwrite).
QString kxFailureText(const TkxCustomExport& Export, TkxExportError Error,
                      const kxUserPromptTexts& Texts = kxDefaultPromptTexts());

// Asks whether an existing file may be replaced; Question's "%s" is the file.
bool kxAskOverwrite(QObject* Parent, const QString& FileName,
                    const QString& Question = kxDefaultPromptTexts().FileExists);

// OnError shows kxFailureText in an error message box; OnFileExist asks
// kxAskOverwrite; OnViewFailed names the file that nothing could open.
// Replaces any handlers the three events had. Texts, when given, is asked
// for the texts at every prompt.
void kxAttachUserPrompts(TkxCustomExport& Export, QObject* Parent = nullptr,
                         std::function<kxUserPromptTexts()> Texts = {});

} // namespace twl
