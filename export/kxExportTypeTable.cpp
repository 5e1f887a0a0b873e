// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/kxExportTypeTable.h"

#include "export/kxExportConst.h"
#include "export/kxExportOptions.h"

namespace twl {

namespace {

using F = TkxDocumentFilter;

// clang-format off
const TkxExportTypeRow Rows[kxExportTypeRowCount] = {
    {xtHTML,      rs::SkxHTML,      "HTML", &F::HTML,  2, "html",  false, false, false},
    {xtWord,      rs::SkxWord,      "DOC",  &F::Word,  4, "doc",   false, true,  false},
    {xtExcel,     rs::SkxExcel,     "XLS",  &F::Excel, 5, "xls",   false, false, false},
    {xtTXT,       rs::SkxText,      "TXT",  &F::Text,  3, "txt",   false, false, true},
    {xtRTF,       rs::SkxRTF,       "RTF",  &F::RTF,   0, "rtf",   false, true,  false},
    {xtCSV,       rs::SkxCSV,       "CSV",  &F::Comma, 1, "csv",   false, false, false},
    {xtTAB,       rs::SkxTAB,       "TXT",  &F::Tab,   6, "tab",   false, false, false},
    {xtDIF,       rs::SkxDIF,       "DIF",  &F::DIF,   6, "dif",   false, false, false},
    {xtSYLK,      rs::SkxSYLK,      "SLK",  &F::SYLK,  6, "slk",   false, false, false},
    {xtClipboard, rs::SkxClipboard, "TMP",  nullptr,   7, nullptr, false, false, true},
    {xtXLSX,      rs::SkxXLSX,      "XLSX", &F::XLSX,  5, "xlsx",  false, false, false},
    {xtODS,       rs::SkxODS,       "ODS",  &F::ODS,   5, "ods",   false, false, false},
    {xtPDF,       rs::SkxPDF,       "PDF",  &F::PDF,   4, "pdf",   true,  true,  false},
};
// clang-format on

} // namespace

const TkxExportTypeRow* kxExportTypeRows() {
    return Rows;
}

const TkxExportTypeRow* kxExportTypeRow(int Type) {
    for (const TkxExportTypeRow& row : Rows) {
        if (static_cast<int>(row.Type) == Type) return &row;
    }
    return nullptr;
}

QString kxCommandLineFormatList(const QStringList& more) {
    // In the order of the enumeration, which is the order users have known.
    QStringList names;
    for (int type = 0; type < kxExportTypeCount; ++type) {
        const TkxExportTypeRow* row = kxExportTypeRow(type);
        if (row && row->CommandLineName) names << QLatin1String(row->CommandLineName);
    }
    names << more;
    if (names.size() < 2) return names.join(QString());
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

} // namespace twl
