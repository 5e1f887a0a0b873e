#include "app/ExportFileName.h"

#include "export/kxExport.h"

#include <QStandardPaths>

namespace twl {

QString ExportFileName::proposal() const {
    if (!m_last.isEmpty()) return m_last;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void ExportFileName::execute(TkxCustomExport& exporter) {
    // The component asks only when it has no name, so it is given none.
    exporter.setFileName(QString());
    exporter.setSaveDialogStart(proposal());
    exporter.Execute();
    const QString chosen = exporter.FileName();
    exporter.setFileName(QString());
    if (chosen.isEmpty()) return; // cancelled, a view or the clipboard
    if (!exporter.WrittenFileName().isEmpty()) {
        m_last = exporter.WrittenFileName();
    } else if (!exporter.LastErrorText().isEmpty() && !exporter.LastErrorFileName().isEmpty()) {
        m_last.clear();
    }
}

} // namespace twl
