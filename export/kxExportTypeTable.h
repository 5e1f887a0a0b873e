// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The facts of every document type in one table: the format dialog, the run,
// the writer registry and twlc-export read them from here. The rows stand in
// the order of the format list; a new type is one row (and its writer).

#include "base/ResourceStrings.h"
#include "export/kxExportTypes.h"

#include <QString>

namespace twl {

class TkxDocumentFilter;

struct TkxExportTypeRow {
    TkxExportType Type;
    // The entry of the format list.
    ResourceString Entry;
    // The default extension (the HTML options may change it, see DefaultExtension).
    const char* Extension;
    // The save-dialog filter text; null for a type that saves no file.
    QString TkxDocumentFilter::*Filter;
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

// Every type, in the order of the format list.
const TkxExportTypeRow* kxExportTypeRows();
inline constexpr int kxExportTypeRowCount = kxExportTypeCount;

// The row of a type, or null outside the enumeration.
const TkxExportTypeRow* kxExportTypeRow(int Type);

// The command-line names in list order, then those of more, as "a, b or c".
QString kxCommandLineFormatList(const QStringList& more = {});

} // namespace twl
