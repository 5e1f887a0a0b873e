// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ExportFileName.h"

#include "export/kxExport.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace twl {

QString ExportFileName::proposal() const {
    if (!m_last.isEmpty()) return m_last;
    // A documents folder the desktop names but nobody created would be
    // offered as a file name; the home folder is the next best place.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
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
