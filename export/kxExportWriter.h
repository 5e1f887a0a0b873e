// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the export component reaches its document writers without depending on
// them: the component asks a writer factory for the writer of its current
// type, lets it build the document in memory, and delivers the result itself
// (saved to the file, or put on the clipboard). The writers library installs
// its factory explicitly (kxRegisterDocumentWriters in export/writers), and a
// component may carry a factory of its own (tests use this for doubles).

#include "base/FileSave.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class QPagedPaintDevice;

namespace twl {

class TkxCustomExport;

// Pages that can be painted again and again (a print preview repaints them):
// each call lays out every page anew on the device, calling newPage between
// pages.
class TkxPagedDocument {
public:
    virtual ~TkxPagedDocument() = default;
    virtual void Paint(QPagedPaintDevice& Device) const = 0;
    virtual QString Title() const = 0;
};

// A finished document, ready for delivery.
struct TkxDocument {
    // The file's bytes; saved under the target name.
    QByteArray Bytes;
    // With ToClipboard the document is this text, placed on the clipboard; no
    // file is written.
    bool ToClipboard = false;
    QString ClipboardText;
    // With the print style, the pages to print in place of Bytes.
    std::shared_ptr<const TkxPagedDocument> Pages;
};

class TkxDocumentWriter {
public:
    virtual ~TkxDocumentWriter() = default;
    // Builds the whole document of the export's current type, from the opening
    // part to the finish, reading the rows through the export's run helpers.
    // Called by WriteDocument after the run counters are reset and the column
    // check has passed. Failures are exceptions; WriteDocument reports them.
    virtual TkxDocument Build(const QString& FileName) = 0;
    // Asks the writer to hand the document's bytes to `Sink` while Build
    // makes them, so that no document is held whole; Build then returns only
    // the bytes not handed on yet. Returns false (the default) where the
    // writer needs its whole document in memory.
    virtual bool StreamTo(ByteSink* Sink) {
        (void)Sink;
        return false;
    }
};

using TkxWriterFactory = std::function<std::unique_ptr<TkxDocumentWriter>(TkxCustomExport& Export)>;

// The factory used by every component that has none of its own.
void kxSetDefaultWriterFactory(TkxWriterFactory factory);
const TkxWriterFactory& kxDefaultWriterFactory();

} // namespace twl
