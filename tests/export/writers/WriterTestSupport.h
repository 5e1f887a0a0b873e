// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a document through the real writers into a temporary folder.

#include "export/kxExport.h"
#include "export/writers/kxWriterTypeset.h"
#include "tests/support/TestSupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTemporaryDir>

namespace twl::test {

// The document of `type` as written by WriteDocument: the file's bytes, or
// the clipboard's text for xtClipboard. Errors are recorded in `errors`.
inline QByteArray writeDocument(TkxCustomExport& exporter, TkxExportType type,
                                std::vector<TkxExportError>* errors = nullptr) {
    QTemporaryDir dir;
    kxRegisterDocumentWriters(); // the typeset writers too
    exporter.setWriterFactory(&kxCreateDocumentWriter);
    exporter.setExportType(type);
    if (errors) exporter.OnError = [errors](QObject*, TkxExportError e) { errors->push_back(e); };
    const QString path = dir.filePath(QStringLiteral("doc.out"));
    if (type == xtClipboard) {
        QGuiApplication::clipboard()->clear();
        exporter.WriteDocument(QString());
        EXPECT_FALSE(QFile::exists(path));
        return QGuiApplication::clipboard()->text().toUtf8();
    }
    exporter.WriteDocument(path);
    return QFile::exists(path) ? readFile(path) : QByteArray();
}

// Lines joined with CR LF, each line ended by it.
inline QByteArray crlfLines(std::initializer_list<const char*> lines) {
    QByteArray out;
    for (const char* l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

} // namespace twl::test
