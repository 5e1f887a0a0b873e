// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxWriterGridDates.h"

#include <QLocale>

namespace twl {

std::vector<TkxDatePart> kxDateParts(const QString& Pattern) {
    std::vector<TkxDatePart> parts;
    auto literal = [&](QChar c) {
        if (parts.empty() || parts.back().kind != TkxDatePart::Text) parts.push_back({});
        parts.back().text += c;
    };
    const qsizetype n = Pattern.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = Pattern.at(i);
        if (c == QLatin1Char('\'')) {
            // Quoted text; two quotes stand for one.
            qsizetype j = i + 1;
            if (j < n && Pattern.at(j) == QLatin1Char('\'')) {
                literal(c);
                i = j + 1;
                continue;
            }
            for (; j < n; ++j) {
                if (Pattern.at(j) != QLatin1Char('\'')) {
                    literal(Pattern.at(j));
                } else if (j + 1 < n && Pattern.at(j + 1) == QLatin1Char('\'')) {
                    literal(Pattern.at(++j));
                } else {
                    break;
                }
            }
            i = j + 1;
            continue;
        }
        if (!c.isLetter()) {
            literal(c);
            ++i;
            continue;
        }
        qsizetype run = 1;
        while (i + run < n && Pattern.at(i + run) == c)
            ++run;
        i += run;
        TkxDatePart part;
        part.width = static_cast<int>(run);
        if (c == QLatin1Char('d') && run <= 4) {
            part.kind = run <= 2 ? TkxDatePart::Day : TkxDatePart::DayName;
        } else if (c == QLatin1Char('M') && run <= 4) {
            part.kind = run <= 2 ? TkxDatePart::Month : TkxDatePart::MonthName;
        } else if (c == QLatin1Char('y') && run == 4) {
            // Two digits of a year would read back in the wrong century.
            part.kind = TkxDatePart::Year;
        } else {
            return {};
        }
        parts.push_back(part);
    }
    return parts;
}

namespace {

// A number of Width digits (Width 1: one or two digits, no leading zero).
bool readNumber(QStringView Text, qsizetype& At, int Width, int& Value) {
    const int most = Width == 1 ? 2 : Width;
    int digits = 0;
    Value = 0;
    while (digits < most && At < Text.size() && Text[At].isDigit() && Text[At].unicode() <= '9') {
        if (Width == 1 && digits == 1 && Value == 0) return false; // "09"
        Value = Value * 10 + (Text[At].unicode() - '0');
        ++At;
        ++digits;
    }
    return Width == 1 ? digits >= 1 : digits == Width;
}

// One of the names of 1..Count, as the C locale writes them.
bool readName(QStringView Text, qsizetype& At, bool Long, bool Months, int& Value) {
    const QLocale c = QLocale::c();
    const QLocale::FormatType type = Long ? QLocale::LongFormat : QLocale::ShortFormat;
    const int count = Months ? 12 : 7;
    for (int n = 1; n <= count; ++n) {
        const QString name = Months ? c.monthName(n, type) : c.dayName(n, type);
        if (Text.mid(At).startsWith(name)) {
            At += name.size();
            Value = n;
            return true;
        }
    }
    return false;
}

} // namespace

bool kxParseGridDate(QStringView Text, const std::vector<TkxDatePart>& Parts, QDate& Date) {
    if (Parts.empty()) return false;
    int day = 0, month = 0, year = 0, weekday = 0;
    qsizetype at = 0;
    for (const TkxDatePart& part : Parts) {
        bool ok = false;
        switch (part.kind) {
        case TkxDatePart::Day:
            ok = readNumber(Text, at, part.width, day);
            break;
        case TkxDatePart::Month:
            ok = readNumber(Text, at, part.width, month);
            break;
        case TkxDatePart::Year:
            ok = readNumber(Text, at, 4, year);
            break;
        case TkxDatePart::MonthName:
            ok = readName(Text, at, part.width == 4, true, month);
            break;
        case TkxDatePart::DayName:
            ok = readName(Text, at, part.width == 4, false, weekday);
            break;
        case TkxDatePart::Text:
            ok = Text.mid(at).startsWith(part.text);
            at += part.text.size();
            break;
        }
        if (!ok) return false;
    }
    const QDate date(year, month, day);
    if (at != Text.size() || !date.isValid() || year == 0 || day == 0) return false;
    if (weekday != 0 && date.dayOfWeek() != weekday) return false;
    Date = date;
    return true;
}

} // namespace twl
