// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A font description: face name, height in pixels (negative: character height)
// or size in points, style, colour and character set. It is a QObject so that a
// language file can set `Font.Name`, `Font.Size`, `Font.Color` by reflection.

#include "base/TColor.h"

#include <QObject>
#include <QString>

namespace twl {

class TFont : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Charset READ Charset WRITE setCharset)
    Q_PROPERTY(int Color READ Color WRITE setColor)
    Q_PROPERTY(int Height READ Height WRITE setHeight)
    Q_PROPERTY(QString Name READ Name WRITE setName)
    Q_PROPERTY(int Size READ Size WRITE setSize STORED false)
    Q_PROPERTY(bool Bold READ Bold WRITE setBold)
    Q_PROPERTY(bool Italic READ Italic WRITE setItalic)
    Q_PROPERTY(bool Underline READ Underline WRITE setUnderline)
    Q_PROPERTY(bool StrikeOut READ StrikeOut WRITE setStrikeOut)

public:
    static constexpr int DefaultCharset = 1;
    static constexpr int DefaultPixelsPerInch = 96;

    explicit TFont(QObject* parent = nullptr);

    // "MS Sans Serif", height -11, default character set, window-text colour.
    void setDefaults();

    int Charset() const { return m_charset; }
    void setCharset(int v);
    TColor Color() const { return m_color; }
    void setColor(int v);
    int Height() const { return m_height; }
    void setHeight(int v);
    QString Name() const { return m_name; }
    void setName(const QString& v);
    // Points at the font's pixels per inch: -Height * 72 / PPI, rounded.
    int Size() const;
    void setSize(int points);
    bool Bold() const { return m_bold; }
    void setBold(bool v);
    bool Italic() const { return m_italic; }
    void setItalic(bool v);
    bool Underline() const { return m_underline; }
    void setUnderline(bool v);
    bool StrikeOut() const { return m_strikeOut; }
    void setStrikeOut(bool v);

    void setPixelsPerInch(int ppi) { m_pixelsPerInch = ppi > 0 ? ppi : DefaultPixelsPerInch; }

    // Copies every attribute (the toolkit's font assignment).
    void Assign(const TFont& other);
    bool sameAs(const TFont& other) const;

signals:
    void changed();

private:
    void notify() { emit changed(); }

    QString m_name;
    int m_height = -11;
    int m_charset = DefaultCharset;
    TColor m_color = clWindowText;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    bool m_strikeOut = false;
    int m_pixelsPerInch = DefaultPixelsPerInch;
};

} // namespace twl
