// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The facts of every document type in one table: the format dialog, the save
// dialog's filters, the run, the writer registry and twlc-export (its
// --format names, its --help and so the shell completion) read them from here,
// and the count of types and the set the window offers follow from it. The
// rows stand in the order of the format list; a new type is one row (and its
// writer).

#include "base/ResourceStrings.h"
#include "export/kxExportConst.h"
#include "export/kxExportTypes.h"

#include <QString>
#include <QStringList>
#include <iterator>

namespace twl {

struct TkxExportTypeRow {
    TkxExportType Type;
    // The entry of the format list.
    ResourceString Entry;
    // The default extension (the HTML options may change it, see DefaultExtension).
    const char* Extension;
    // The save-dialog filter's default text, and the property of
    // Messages.DocumentFilter that holds it (a language file's key); both
    // null for a type that saves no file.
    const ResourceString* Filter;
    const char* FilterProperty;
    // The format dialog's icon.
    int Icon;
    // The name twlc-export's --format takes; null where it offers none.
    const char* CommandLineName;
    // Pages that can be printed as well as saved.
    bool PageBased;
    // Whether its writer asks the display: a font's family or the screen's
    // resolution (RTF), or text laid out in fonts (PDF). A program writing
    // only other types can start without fonts and screens.
    bool NeedsFonts;
    // Whether its cells are laid out to their column's widest text, which a
    // source finds before the first row (every type's are with xoTruncate).
    bool LaysOutToWidestText;
};

// clang-format off
inline constexpr TkxExportTypeRow kxExportTypeTable[] = {
    {xtHTML,      rs::SkxHTML,      "HTML", &rs::SkxFilterHTML,  "HTML",  2, "html",  false, false, false},
    {xtWord,      rs::SkxWord,      "DOC",  &rs::SkxFilterWord,  "Word",  4, "doc",   false, true,  false},
    {xtExcel,     rs::SkxExcel,     "XLS",  &rs::SkxFilterExcel, "Excel", 5, "xls",   false, false, false},
    {xtTXT,       rs::SkxText,      "TXT",  &rs::SkxFilterText,  "Text",  3, "txt",   false, false, true},
    {xtRTF,       rs::SkxRTF,       "RTF",  &rs::SkxFilterRTF,   "RTF",   0, "rtf",   false, true,  false},
    {xtCSV,       rs::SkxCSV,       "CSV",  &rs::SkxFilterComma, "Comma", 1, "csv",   false, false, false},
    {xtTAB,       rs::SkxTAB,       "TXT",  &rs::SkxFilterTab,   "Tab",   6, "tab",   false, false, false},
    {xtDIF,       rs::SkxDIF,       "DIF",  &rs::SkxFilterDIF,   "DIF",   6, "dif",   false, false, false},
    {xtSYLK,      rs::SkxSYLK,      "SLK",  &rs::SkxFilterSYLK,  "SYLK",  6, "slk",   false, false, false},
    {xtClipboard, rs::SkxClipboard, "TMP",  nullptr,             nullptr, 7, nullptr, false, false, true},
    {xtXLSX,      rs::SkxXLSX,      "XLSX", &rs::SkxFilterXLSX,  "XLSX",  5, "xlsx",  false, false, false},
    {xtODS,       rs::SkxODS,       "ODS",  &rs::SkxFilterODS,   "ODS",   5, "ods",   false, false, false},
    {xtPDF,       rs::SkxPDF,       "PDF",  &rs::SkxFilterPDF,   "PDF",   4, "pdf",   true,  true,  false},
    {xtJSON,      rs::SkxJSON,      "JSON", &rs::SkxFilterJSON,  "JSON",  6, "json",  false, false, false},
};
// clang-format on

inline constexpr int kxExportTypeCount = static_cast<int>(std::size(kxExportTypeTable));
inline constexpr int kxExportTypeRowCount = kxExportTypeCount;

namespace detail {
constexpr TkxExportTypeSet everyTableType() {
    TkxExportTypeSet types;
    for (const TkxExportTypeRow& row : kxExportTypeTable)
        types = types.with(row.Type);
    return types;
}
} // namespace detail

// Every type of the table: what the main window's export offers.
inline constexpr TkxExportTypeSet kxWindowExportTypes = detail::everyTableType();

// A set holds 16 types, and the rows name the members 0 to count - 1, each
// once (a member without a row fails the type table's test).
static_assert(kxExportTypeCount <= 16);
static_assert(kxWindowExportTypes.bits() == (1u << kxExportTypeCount) - 1,
              "every TkxExportType member needs exactly one row");

// Every type, in the order of the format list.
inline const TkxExportTypeRow* kxExportTypeRows() {
    return kxExportTypeTable;
}

// The row of a type, or null outside the enumeration.
const TkxExportTypeRow* kxExportTypeRow(int Type);

// The command-line names in list order, then those of more, as "a, b or c".
QString kxCommandLineFormatList(const QStringList& more = {});

} // namespace twl
