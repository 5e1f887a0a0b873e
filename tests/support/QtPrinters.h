// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// GoogleTest prints a type it does not know as a list of its elements, so a
// failing comparison of two QStrings showed "{ x, t, H, T, M, L }". These
// printers show the Qt values the tests compare as the text they stand for,
// quoted, with control characters and non-ASCII escaped so that two values
// that differ only there still look different. Found by argument-dependent
// lookup, so they live beside the types (the global namespace).
#include <QByteArray>
#include <QChar>
#include <QDate>
#include <QDateTime>
#include <QLatin1String>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QTime>
#include <QVariant>
#include <ostream>

void PrintTo(QStringView text, std::ostream* os);
void PrintTo(const QString& text, std::ostream* os);
void PrintTo(QLatin1String text, std::ostream* os);
void PrintTo(const QByteArray& bytes, std::ostream* os);
void PrintTo(const QStringList& list, std::ostream* os);
void PrintTo(QChar c, std::ostream* os);
void PrintTo(QDate date, std::ostream* os);
void PrintTo(QTime time, std::ostream* os);
void PrintTo(const QDateTime& dateTime, std::ostream* os);
void PrintTo(const QVariant& value, std::ostream* os);
