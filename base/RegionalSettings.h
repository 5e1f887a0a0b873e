// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's regional settings and the clock, each behind one replaceable
// object so that tests pin them and a command-line host can fix "now".

#include <QChar>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <functional>

namespace twl {

struct RegionalSettings {
    QChar decimalSeparator = QLatin1Char('.');
    QChar thousandSeparator = QLatin1Char(',');
    QString shortDateFormat = QStringLiteral("M/d/yyyy"); // Qt date pattern
    QString longTimeFormat = QStringLiteral("h:mm:ss AP");
    QString shortTimeFormat = QStringLiteral("h:mm AP");
    QString currencyString = QStringLiteral("$");
    // Where the settings are of: the law whose APR rule applies by default.
    QLocale::Territory territory = QLocale::AnyTerritory;

    static RegionalSettings fromLocale(const QLocale& locale);
};

// The settings in force: the system locale's unless a test or host replaced them.
const RegionalSettings& regionalSettings();
void setRegionalSettings(const RegionalSettings& settings);

// The clock: the local current time unless replaced.
QDateTime currentDateTime();
void setClock(std::function<QDateTime()> clock);

// Date and time texts in the regional formats.
QString DateToStr(const QDate& date);
QString TimeToStr(const QTime& time); // long time format
// Short date, then a blank and the long time unless the time is midnight.
QString DateTimeToStr(const QDateTime& dt);

} // namespace twl
