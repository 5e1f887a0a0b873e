// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/QtPrinters.h"

namespace {

const char Hex[] = "0123456789ABCDEF";

void printEscapedUnit(char32_t c, std::ostream& os) {
    switch (c) {
    case '"':
        os << "\\\"";
        return;
    case '\\':
        os << "\\\\";
        return;
    case '\r':
        os << "\\r";
        return;
    case '\n':
        os << "\\n";
        return;
    case '\t':
        os << "\\t";
        return;
    default:
        break;
    }
    if (c >= 0x20 && c < 0x7F) {
        os << char(c);
        return;
    }
    // \xHH for a byte or Latin-1 unit, \uHHHH for a UTF-16 unit.
    const int digits = c > 0xFF ? 4 : 2;
    os << (digits == 4 ? "\\u" : "\\x");
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        os << Hex[(c >> shift) & 0xF];
}

} // namespace

void PrintTo(QStringView text, std::ostream* os) {
    *os << "u\"";
    for (QChar c : text)
        printEscapedUnit(c.unicode(), *os);
    *os << '"';
}

void PrintTo(const QString& text, std::ostream* os) {
    if (text.isNull()) {
        *os << "QString()";
        return;
    }
    PrintTo(QStringView(text), os);
}

void PrintTo(QLatin1String text, std::ostream* os) {
    *os << "L1\"";
    for (char c : text)
        printEscapedUnit(static_cast<unsigned char>(c), *os);
    *os << '"';
}

void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '"';
    for (char c : bytes)
        printEscapedUnit(static_cast<unsigned char>(c), *os);
    *os << "\" (" << bytes.size() << " bytes)";
}

void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '{';
    for (qsizetype i = 0; i < list.size(); ++i) {
        *os << (i ? ", " : " ");
        PrintTo(list[i], os);
    }
    *os << (list.isEmpty() ? "}" : " }");
}

void PrintTo(QChar c, std::ostream* os) {
    *os << '\'';
    printEscapedUnit(c.unicode(), *os);
    *os << '\'';
}

void PrintTo(QDate date, std::ostream* os) {
    *os << (date.isValid() ? date.toString(Qt::ISODate).toStdString() : "QDate()");
}

void PrintTo(QTime time, std::ostream* os) {
    *os << (time.isValid() ? time.toString(Qt::ISODateWithMs).toStdString() : "QTime()");
}

void PrintTo(const QDateTime& dateTime, std::ostream* os) {
    *os << (dateTime.isValid() ? dateTime.toString(Qt::ISODateWithMs).toStdString()
                               : "QDateTime()");
}

void PrintTo(const QVariant& value, std::ostream* os) {
    *os << "QVariant(" << (value.isValid() ? value.typeName() : "invalid");
    if (value.isValid()) {
        *os << ", ";
        PrintTo(value.toString(), os);
    }
    *os << ')';
}
