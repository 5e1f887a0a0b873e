// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's file exports ask for a name every time. The dialog
// proposes the last name written, or opens in the user's documents folder the
// first time; a name whose save failed is forgotten, so a missing folder does
// not fail every later export.

#include <QString>

namespace twl {

class TkxCustomExport;

class ExportFileName {
public:
    // What the save dialog starts with: the last name written, else the
    // user's documents folder (the home folder while it does not exist).
    QString proposal() const;

    // Runs the export component's dialogs and export once with this name flow.
    void execute(TkxCustomExport& exporter);

private:
    QString m_last;
};

} // namespace twl
