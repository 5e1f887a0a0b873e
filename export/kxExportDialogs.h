// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The widget side of an export: its format dialog (TkxCustomExport::Execute),
// the save dialog, the progress window, the clipboard and the print preview.

#include <QString>

namespace twl {

class TkxCustomExport;
class TkxPagedDocument;

// Gives an export its windows; without them it runs unseen, as in a process
// without the widget module.
void kxGiveWindows(TkxCustomExport& Export);

// Shows the pages in the print preview, from which the system's print dialog
// prints them; throws what painting them threw.
void kxPrintPages(const TkxPagedDocument& Pages, const QString& Caption);

} // namespace twl
