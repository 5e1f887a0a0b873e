// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/RegionalSettings.h"

#include <mutex>
#include <optional>

namespace twl {

namespace {
std::mutex& settingsMutex() {
    static std::mutex m;
    return m;
}
std::optional<RegionalSettings>& settingsSlot() {
    static std::optional<RegionalSettings> slot;
    return slot;
}
std::function<QDateTime()>& clockSlot() {
    static std::function<QDateTime()> slot;
    return slot;
}
} // namespace

RegionalSettings RegionalSettings::fromLocale(const QLocale& locale) {
    RegionalSettings s;
    const QString dec = locale.decimalPoint();
    if (dec.size() == 1) s.decimalSeparator = dec.at(0);
    const QString group = locale.groupSeparator();
    if (group.size() == 1) s.thousandSeparator = group.at(0);
    s.shortDateFormat = locale.dateFormat(QLocale::ShortFormat);
    // A two-digit year is ambiguous in documents; the system's short date keeps four.
    if (!s.shortDateFormat.contains(QLatin1String("yyyy")))
        s.shortDateFormat.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    s.longTimeFormat = locale.timeFormat(QLocale::LongFormat);
    // The long format may carry a time-zone name, which the clock does not know.
    s.longTimeFormat.remove(QLatin1String(" t")).remove(QLatin1Char('t'));
    s.longTimeFormat = s.longTimeFormat.trimmed();
    s.shortTimeFormat = locale.timeFormat(QLocale::ShortFormat);
    s.currencyString = locale.currencySymbol();
    s.territory = locale.territory();
    return s;
}

const RegionalSettings& regionalSettings() {
    std::lock_guard<std::mutex> lock(settingsMutex());
    auto& slot = settingsSlot();
    if (!slot) slot = RegionalSettings::fromLocale(QLocale::system());
    return *slot;
}

void setRegionalSettings(const RegionalSettings& settings) {
    std::lock_guard<std::mutex> lock(settingsMutex());
    settingsSlot() = settings;
}

QDateTime currentDateTime() {
    std::function<QDateTime()> clock;
    {
        std::lock_guard<std::mutex> lock(settingsMutex());
        clock = clockSlot();
    }
    return clock ? clock() : QDateTime::currentDateTime();
}

void setClock(std::function<QDateTime()> clock) {
    std::lock_guard<std::mutex> lock(settingsMutex());
    clockSlot() = std::move(clock);
}

QString DateToStr(const QDate& date) {
    return date.toString(regionalSettings().shortDateFormat);
}

QString TimeToStr(const QTime& time) {
    return time.toString(regionalSettings().longTimeFormat);
}

QString DateTimeToStr(const QDateTime& dt) {
    QString s = DateToStr(dt.date());
    if (dt.time() != QTime(0, 0)) s += QLatin1Char(' ') + TimeToStr(dt.time());
    return s;
}

} // namespace twl
