#include "export/kxExportHost.h"

#include "base/Format.h"
#include "export/kxExport.h"
#include "export/kxExportConst.h"
#include "toolkit/ApplicationTitle.h"
#include "toolkit/ModalGuard.h"

#include <QMessageBox>
#include <QPointer>

namespace twl {

void kxApplyMainWindowFormats(TkxCustomExport& Export) {
    Export.setDateFormat(QStringLiteral("yyyy.MM.dd."));
    Export.setTimeFormat(QStringLiteral("h:mm"));
    Export.setDateTimeFormat(QStringLiteral("h:mm yyyy.MM.dd."));
}

void kxApplyMainWindowSettings(TkxListViewExport& Export, TListView* ListView) {
    kxApplyMainWindowFormats(Export);
    Export.setListView(ListView);
}

QString kxFailureText(const TkxCustomExport& Export, TkxExportError Error) {
    switch (Error) {
    case xeNoSource:
        return LoadResString(rs::SkxNoSource);
    case xeNoFileName:
        return LoadResString(rs::SkxNoFileName);
    case xeWriteFailed:
        // A refused overwrite also ends in xeWriteFailed, without a reason.
        if (Export.LastErrorText().isEmpty()) return {};
        if (Export.LastErrorFileName().isEmpty())
            return Format(LoadResString(rs::SkxClipboardFailed), {Export.LastErrorText()});
        return Format(LoadResString(rs::SkxExportFailed),
                      {Export.LastErrorFileName(), Export.LastErrorText()});
    case xeFileExists:
    case xeSaveCancelled:
        break;
    }
    return {};
}

bool kxAskOverwrite(QWidget* Parent, const QString& FileName) {
    QMessageBox box(QMessageBox::Warning, applicationTitle(),
                    Format(LoadResString(rs::SkxFileExists), {FileName}),
                    QMessageBox::Yes | QMessageBox::No, Parent);
    box.setDefaultButton(QMessageBox::No);
    return execModal(box) == QMessageBox::Yes;
}

void kxAttachUserPrompts(TkxCustomExport& Export, QWidget* Parent) {
    QPointer<QWidget> parent(Parent);
    TkxCustomExport* exporter = &Export;
    Export.OnError = [exporter, parent](QObject*, TkxExportError error) {
        const QString text = kxFailureText(*exporter, error);
        if (text.isEmpty()) return;
        showMessageBox(QMessageBox::Critical, applicationTitle(), text, parent.data());
    };
    Export.OnFileExist = [parent](QObject*, const QString& FileName, bool& CanOverWrite) {
        CanOverWrite = kxAskOverwrite(parent.data(), FileName);
    };
}

} // namespace twl
