// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Strings.h"

namespace twl {

TStrings::TStrings(QObject* parent)
    : QObject(parent) {}

void TStrings::setStrings(const QStringList& lines) {
    m_lines = lines;
    emit changed();
}

QString TStrings::Text() const {
    QString s;
    for (const QString& l : m_lines)
        s += l + QLatin1String("\r\n");
    return s;
}

QStringList TStrings::splitLines(const QString& text) {
    QStringList out;
    splitLinesInto(text, out);
    return out;
}

void TStrings::splitLinesInto(const QString& text, QStringList& out) {
    out.clear();
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            out.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n')) ++i;
            start = i + 1;
        }
    }
    if (start < n) out.append(text.mid(start));
}

void TStrings::setText(const QString& text) {
    setStrings(splitLines(text));
}

QString TStrings::line(int index) const {
    return index >= 0 && index < m_lines.size() ? m_lines.at(index) : QString();
}

void TStrings::Add(const QString& line) {
    m_lines.append(line);
    emit changed();
}

void TStrings::Clear() {
    if (m_lines.isEmpty()) return;
    m_lines.clear();
    emit changed();
}

void TStrings::Assign(const TStrings& other) {
    if (&other != this) setStrings(other.m_lines);
}

} // namespace twl
