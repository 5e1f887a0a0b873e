// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Font.h"

#include <algorithm>

namespace twl {

TFont::TFont(QObject* parent)
    : QObject(parent) {
    setDefaults();
}

void TFont::setDefaults() {
    m_name = QStringLiteral("MS Sans Serif");
    m_height = -11;
    m_charset = DefaultCharset;
    m_color = clWindowText;
    m_bold = m_italic = m_underline = m_strikeOut = false;
}

void TFont::setCharset(int v) {
    v &= 0xFF;
    if (v != m_charset) {
        m_charset = v;
        notify();
    }
}

void TFont::setColor(int v) {
    if (v != m_color) {
        m_color = v;
        notify();
    }
}

void TFont::setHeight(int v) {
    if (v != m_height) {
        m_height = v;
        notify();
    }
}

void TFont::setName(const QString& v) {
    if (v != m_name && !v.isEmpty()) {
        m_name = v;
        notify();
    }
}

int TFont::Size() const {
    // MulDiv rounding: half away from zero.
    const long long num = -static_cast<long long>(m_height) * 72;
    const long long den = m_pixelsPerInch;
    const long long q = (2 * num + (num >= 0 ? den : -den)) / (2 * den);
    return static_cast<int>(q);
}

void TFont::setSize(int points) {
    const long long num = -static_cast<long long>(points) * m_pixelsPerInch;
    const long long q = (2 * num + (num >= 0 ? 72 : -72)) / 144;
    setHeight(static_cast<int>(q));
}

void TFont::setBold(bool v) {
    if (v != m_bold) {
        m_bold = v;
        notify();
    }
}

void TFont::setItalic(bool v) {
    if (v != m_italic) {
        m_italic = v;
        notify();
    }
}

void TFont::setUnderline(bool v) {
    if (v != m_underline) {
        m_underline = v;
        notify();
    }
}

void TFont::setStrikeOut(bool v) {
    if (v != m_strikeOut) {
        m_strikeOut = v;
        notify();
    }
}

void TFont::Assign(const TFont& other) {
    if (&other == this || sameAs(other)) return;
    m_name = other.m_name;
    m_height = other.m_height;
    m_charset = other.m_charset;
    m_color = other.m_color;
    m_bold = other.m_bold;
    m_italic = other.m_italic;
    m_underline = other.m_underline;
    m_strikeOut = other.m_strikeOut;
    m_pixelsPerInch = other.m_pixelsPerInch;
    notify();
}

bool TFont::sameAs(const TFont& o) const {
    return m_name == o.m_name && m_height == o.m_height && m_charset == o.m_charset &&
           m_color == o.m_color && m_bold == o.m_bold && m_italic == o.m_italic &&
           m_underline == o.m_underline && m_strikeOut == o.m_strikeOut &&
           m_pixelsPerInch == o.m_pixelsPerInch;
}

} // namespace twl
