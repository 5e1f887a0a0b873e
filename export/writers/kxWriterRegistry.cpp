// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxWriterRegistry.h"

#include "export/kxExport.h"
#include "export/writers/kxWriterDIF.h"
#include "export/writers/kxWriterExcel.h"
#include "export/writers/kxWriterFrame.h"
#include "export/writers/kxWriterHTML.h"
#include "export/writers/kxWriterJSON.h"
#include "export/writers/kxWriterODS.h"
#include "export/writers/kxWriterText.h"
#include "export/writers/kxWriterXLSX.h"

namespace twl {

namespace {
TkxTypesetWriterFactory& typesetSlot() {
    static TkxTypesetWriterFactory factory;
    return factory;
}
} // namespace

void kxSetTypesetWriterFactory(TkxTypesetWriterFactory factory) {
    typesetSlot() = std::move(factory);
}

std::unique_ptr<TkxFormatWriter> kxMakeFormatWriter(TkxExportType Type) {
    switch (Type) {
    case xtTXT:
        return std::make_unique<TkxPlainTextWriter>(false);
    case xtClipboard:
        return std::make_unique<TkxPlainTextWriter>(true);
    case xtCSV:
        return std::make_unique<TkxCSVWriter>();
    case xtTAB:
        return std::make_unique<TkxTabWriter>();
    case xtHTML:
        return std::make_unique<TkxHTMLWriter>();
    case xtExcel:
        return std::make_unique<TkxExcelWriter>();
    case xtWord:
    case xtRTF:
    case xtPDF:
        return typesetSlot() ? typesetSlot()(Type) : nullptr;
    case xtDIF:
        return std::make_unique<TkxDIFWriter>();
    case xtSYLK:
        return std::make_unique<TkxSYLKWriter>();
    case xtXLSX:
        return std::make_unique<TkxXLSXWriter>();
    case xtODS:
        return std::make_unique<TkxODSWriter>();
    case xtJSON:
        return std::make_unique<TkxJSONWriter>();
    }
    return nullptr;
}

std::unique_ptr<TkxDocumentWriter> kxCreateDocumentWriter(TkxCustomExport& Export) {
    std::unique_ptr<TkxFormatWriter> format = kxMakeFormatWriter(Export.ExportType());
    if (!format) return nullptr;
    return std::make_unique<TkxWriterFrame>(Export, std::move(format));
}

void kxRegisterPlainWriters() {
    kxSetDefaultWriterFactory(&kxCreateDocumentWriter);
}

} // namespace twl
