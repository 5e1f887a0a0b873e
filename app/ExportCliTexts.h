// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's parts that twlc-export uses, without the window: its
// export component and label objects, translated by the language file's
// section of the main window as the window's own are, and the texts of its
// table's columns and hidden text lines, read from that section by path.

#include "app/ChartWindowTexts.h"
#include "app/CostLabels.h"
#include "app/ExportCliSchedule.h"
#include "app/PlanLabels.h"
#include "toolkit/Strings.h"

#include <QStringList>

namespace twl {

class TbsCorePolyglot;

struct ExportCliTexts {
    ExportCliTexts();
    // Applies the current language file; raises what the translator raises
    // for a value it refuses.
    void translate(TbsCorePolyglot& core);

    TScheduleTableExport loanexp;
    TPlanLabels planlabels;
    TChartTexts charttexts;
    TCostLabels costlabels;
    // The table's five designed columns.
    QStringList columnCaptions;
    // The window's hidden text lines (the inputs row's labels among them).
    TStrings lines;
};

} // namespace twl
