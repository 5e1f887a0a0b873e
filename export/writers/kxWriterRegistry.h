// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the formats plug into the frame. Adding a format family means one
// file with its TkxFormatWriter class and one case in kxMakeFormatWriter.

#include "export/kxExportTypes.h"
#include "export/kxExportWriter.h"

#include <memory>

namespace twl {

class TkxFormatWriter;

// The format plug-in of a document type, or null when none is installed.
std::unique_ptr<TkxFormatWriter> kxMakeFormatWriter(TkxExportType Type);

// The writer of the export's current type: the frame with its format, or null.
std::unique_ptr<TkxDocumentWriter> kxCreateDocumentWriter(TkxCustomExport& Export);

// Makes these writers the default of every export component. The program
// calls it once at start-up; nothing registers itself.
void kxRegisterDocumentWriters();

} // namespace twl
