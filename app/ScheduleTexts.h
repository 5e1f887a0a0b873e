// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every host of the schedule shares with the main window: its five
// columns' captions, the inputs-row labels (lines 98 to 102 of the text list)
// and the "Decimal" setting's text.

#include "loan/Amortization.h"

#include <QString>
#include <QStringList>

namespace twl {

class SettingsFile;
class TStrings;

// The columns' captions before a language file translates them.
QStringList scheduleColumnCaptions();
ScheduleLabels inputsRowLabels(const TStrings& lines);
QString readDecimalSetting(const SettingsFile& settings);

} // namespace twl
