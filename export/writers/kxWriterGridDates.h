// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dates in the spreadsheet formats: the regional short date pattern taken
// apart, so that each format can show its date cells as the table shows them,
// and a cell's text read back as a date in that pattern.

#include <QDate>
#include <QString>
#include <vector>

namespace twl {

struct TkxDatePart {
    enum Kind { Day, DayName, Month, MonthName, Year, Text };
    Kind kind = Text;
    // Day, Month: digits at least (1 or 2), Year: 4 digits; DayName and
    // MonthName: 3 for the short name, 4 for the full one.
    int width = 0;
    QString text;
};

// The parts of a date pattern (d, dd, ddd, dddd, M .. MMMM, yyyy, quoted
// and other literal text); empty when the pattern holds anything else, such
// as a time field, which no date cell shows.
std::vector<TkxDatePart> kxDateParts(const QString& Pattern);

// Text read as a date in the pattern of Parts, only where the date written
// in that pattern again is the same text (names in English, as the program
// writes its dates). Quick, as every due date of a long plan passes here.
bool kxParseGridDate(QStringView Text, const std::vector<TkxDatePart>& Parts, QDate& Date);

} // namespace twl
