// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/kxExportHost.h"

#include "base/Format.h"
#include "export/kxExport.h"
#include "export/kxExportConst.h"
#include "toolkit/ApplicationTitle.h"
#include "toolkit/Messages.h"

#include <QPointer>

namespace twl {

void kxApplyMainWindowFormats(TkxCustomExport& Export) {
    Export.setDateFormat(QStringLiteral("yyyy.MM.dd."));
    Export.setTimeFormat(QStringLiteral("h:mm"));
    Export.setDateTimeFormat(QStringLiteral("h:mm yyyy.MM.dd."));
}

kxUserPromptTexts kxDefaultPromptTexts() {
    return {LoadResString(rs::SkxExportFailed), LoadResString(rs::SkxClipboardFailed),
            LoadResString(rs::SkxFileExists),   LoadResString(rs::SkxNoSource),
            LoadResString(rs::SkxNoFileName),   LoadResString(rs::SkxViewFailed)};
}

QString kxFailureText(const TkxCustomExport& Export, TkxExportError Error,
                      const kxUserPromptTexts& Texts) {
    switch (Error) {
    case xeNoSource:
        return Texts.NoSource;
    case xeNoFileName:
        return Texts.NoFileName;
    case xeWriteFailed:
        // A refused overwrite also ends in xeWriteFailed, without a reason.
        if (Export.LastErrorText().isEmpty()) return {};
        if (Export.LastErrorFileName().isEmpty())
            return Format(Texts.ClipboardFailed, {Export.LastErrorText()});
        // The system's reason says what the user can do about it (a full disk).
        return Format(Texts.ExportFailed, {Export.LastErrorFileName(),
                                           Export.LastErrorReason().isEmpty()
                                               ? Export.LastErrorText()
                                               : Export.LastErrorText() + QStringLiteral(" (") +
                                                     Export.LastErrorReason() + QLatin1Char(')')});
    case xeFileExists:
    case xeSaveCancelled:
        break;
    }
    return {};
}

bool kxAskOverwrite(QObject* Parent, const QString& FileName, const QString& Question) {
    return askYesNo(applicationTitle(), Format(Question, {FileName}), Parent);
}

void kxAttachUserPrompts(TkxCustomExport& Export, QObject* Parent,
                         std::function<kxUserPromptTexts()> Texts) {
    QPointer<QObject> parent(Parent);
    TkxCustomExport* exporter = &Export;
    if (!Texts) Texts = kxDefaultPromptTexts;
    Export.OnError = [exporter, parent, Texts](QObject*, TkxExportError error) {
        const QString text = kxFailureText(*exporter, error, Texts());
        if (text.isEmpty()) return;
        showMessageOver(MessageIcon::Critical, applicationTitle(), text, parent.data());
    };
    Export.OnFileExist = [parent, Texts](QObject*, const QString& FileName, bool& CanOverWrite) {
        CanOverWrite = kxAskOverwrite(parent.data(), FileName, Texts().FileExists);
    };
    Export.OnViewFailed = [parent, Texts](QObject*, const QString& FileName) {
        showMessageOver(MessageIcon::Warning, applicationTitle(),
                        Format(Texts().ViewFailed, {FileName}), parent.data());
    };
}

} // namespace twl
