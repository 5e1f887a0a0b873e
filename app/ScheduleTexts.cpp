// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ScheduleTexts.h"

#include "app/AppConsts.h"
#include "app/SettingsFile.h"
#include "toolkit/Strings.h"

namespace twl {

QStringList scheduleColumnCaptions() {
    return {LoadResString(rs::SColPaymentNo), LoadResString(rs::SColPayment),
            LoadResString(rs::SColInterest), LoadResString(rs::SColPrincipal),
            LoadResString(rs::SColBalance)};
}

ScheduleLabels inputsRowLabels(const TStrings& lines) {
    return {lines.line(98), lines.line(99), lines.line(100), lines.line(101), lines.line(102)};
}

QString readDecimalSetting(const SettingsFile& settings) {
    return settings.ReadString(QStringLiteral("Settings"), QStringLiteral("Decimal"),
                               QStringLiteral("2"));
}

} // namespace twl
