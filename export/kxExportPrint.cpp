// SPDX-License-Identifier: GPL-3.0-or-later
// Printing a page-based document: the same pages as its file, shown in the
// print preview, from which the system's print dialog prints them.

#include "base/Exceptions.h"
#include "export/kxExport.h"
#include "export/kxExportTypeTable.h"
#include "export/kxReportPage.h"
#include "toolkit/ApplicationTitle.h"
#include "toolkit/ModalGuard.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace twl {

bool TkxCustomExport::IsPageBased(TkxExportType Type) {
    const TkxExportTypeRow* row = kxExportTypeRow(Type);
    return row && row->PageBased;
}

void TkxCustomExport::PrintDocument() {
    struct Printing {
        bool& flag;
        explicit Printing(bool& f)
            : flag(f) {
            flag = true;
        }
        ~Printing() { flag = false; }
    } printing(m_printing);
    // Printing names no file; a failure names the document by its caption,
    // where a nameless failure would read as one of the clipboard.
    writeDocument(m_messages->Caption, Delivery::Print);
}

void TkxCustomExport::printPages(const TkxPagedDocument& Pages) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(Pages.Title());
    kxSetUpReportPage(printer);
    QPrintPreviewDialog preview(&printer, messageParent());
    preview.setWindowTitle(m_messages->Caption);
    // A failure while painting must not pass through the dialog's event
    // handling; it is reported when the preview closes.
    QString failure;
    connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* target) {
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
