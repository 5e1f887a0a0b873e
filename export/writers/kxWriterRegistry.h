// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the formats plug into the frame. Adding a format family means one
// file with its TkxFormatWriter class and one case in kxMakeFormatWriter.

#include "export/kxExportTypes.h"
#include "export/kxExportWriter.h"

#include <functional>
#include <memory>

namespace twl {

class TkxFormatWriter;

// The format plug-in of a document type, or null when none is installed.
std::unique_ptr<TkxFormatWriter> kxMakeFormatWriter(TkxExportType Type);

// The writer of the export's current type: the frame with its format, or null.
std::unique_ptr<TkxDocumentWriter> kxCreateDocumentWriter(TkxCustomExport& Export);

// The documents laid out in fonts (Word, RTF, PDF) come from the widget
// layer's writers (kxWriterTypeset.h); without them these types have none.
using TkxTypesetWriterFactory = std::function<std::unique_ptr<TkxFormatWriter>(TkxExportType)>;
void kxSetTypesetWriterFactory(TkxTypesetWriterFactory factory);

// Makes these writers the default of every export component, without the
// typeset ones: for a process without fonts. kxRegisterDocumentWriters
// (kxWriterTypeset.h) registers them all; a program calls one of the two
// once at start-up, and nothing registers itself.
void kxRegisterPlainWriters();

} // namespace twl
