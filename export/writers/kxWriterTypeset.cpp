// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxWriterTypeset.h"

#include "export/writers/kxWriterPDF.h"
#include "export/writers/kxWriterRTF.h"

namespace twl {

std::unique_ptr<TkxFormatWriter> kxMakeTypesetWriter(TkxExportType Type) {
    switch (Type) {
    case xtWord:
    case xtRTF:
        return std::make_unique<TkxRTFWriter>();
    case xtPDF:
        return std::make_unique<TkxPDFWriter>();
    default:
        return nullptr;
    }
}

void kxRegisterDocumentWriters() {
    kxSetTypesetWriterFactory(&kxMakeTypesetWriter);
    kxRegisterPlainWriters();
}

} // namespace twl
