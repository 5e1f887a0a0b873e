// SPDX-License-Identifier: GPL-3.0-or-later
// Printing a page-based document: the same pages as its file, shown in the
// print preview, from which the system's print dialog prints them.

#include "base/Exceptions.h"
#include "export/kxExportDialogs.h"
#include "export/kxExportTypeTable.h"
#include "export/kxExportWriter.h"
#include "export/kxReportPage.h"
#include "toolkit/ApplicationTitle.h"
#include "toolkit/MessageParent.h"
#include "toolkit/ModalGuard.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace twl {

void kxPrintPages(const TkxPagedDocument& Pages, const QString& Caption) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(Pages.Title());
    kxSetUpReportPage(printer);
    QPrintPreviewDialog preview(&printer, messageParent());
    preview.setWindowTitle(Caption);
    // A failure while painting must not pass through the dialog's event
    // handling; it is reported when the preview closes.
    QString failure;
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* target) {
                         try {
                             Pages.Paint(*target);
                         } catch (const Exception& e) {
                             failure = e.message();
                         } catch (const std::exception& e) {
                             failure = QString::fromLocal8Bit(e.what());
                         }
                     });
    execModal(preview);
    if (!failure.isEmpty()) throw Exception(failure);
}

} // namespace twl
