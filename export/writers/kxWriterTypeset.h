// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The writers of the documents laid out in fonts (Word and RTF, PDF), which
// need the GUI module's font database.

#include "export/kxExportTypes.h"
#include "export/writers/kxWriterRegistry.h"

#include <memory>

namespace twl {

class TkxFormatWriter;

// The typeset format plug-in of Word, RTF or PDF; null for any other type.
std::unique_ptr<TkxFormatWriter> kxMakeTypesetWriter(TkxExportType Type);

// Makes the writers of every type the default of every export component. The
// program calls it once at start-up; nothing registers itself.
void kxRegisterDocumentWriters();

} // namespace twl
