// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text helpers of the language files: the string-literal decoder, the splitting
// of property paths, and the language name of a file.

#include <QString>
#include <QStringView>

namespace twl {

// Decodes the language-file literal syntax: quoted runs ('It''s') and #nnn
// character codes outside runs; other characters stand for themselves.
// Malformed input (an unterminated run, text after a run other than a code)
// gives an empty text; so does any text shorter than two characters.
QString DecodeLiteral(QStringView s);

// The part of s before the first Delimiter, or all of s when it does not occur.
QString TextBefore(QStringView delimiter, QStringView s);
// The part of s after the first Delimiter, or empty when it does not occur.
QString TextAfter(QStringView delimiter, QStringView s);

// Views into s, for walking long paths without copying.
QStringView textBeforeView(QStringView delimiter, QStringView s);
QStringView textAfterView(QStringView delimiter, QStringView s);

// The file-name part of path without its last extension; empty when the name
// has no "." (English.lng gives English).
QString FileNameWithoutExt(QStringView path);

} // namespace twl
