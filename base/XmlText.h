// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text for the XML-based documents (workbook, OpenDocument spreadsheet, SVG
// picture): the one place that makes any text fit to stand in XML 1.0.

#include <QByteArray>
#include <QString>

namespace twl {

// The text with every character XML 1.0 cannot hold (control characters
// other than tab, line feed and carriage return; U+FFFE, U+FFFF; a surrogate
// without its pair) replaced by a blank. With `lineEndsToo` line feeds and
// carriage returns become blanks as well. Returns the text itself, without a
// copy, where nothing needs replacing.
QString xmlCharacters(const QString& text, bool lineEndsToo = false);

// The same, with &, <, > and " written as entities: character data or an
// attribute's value.
QString xmlEscaped(const QString& text, bool lineEndsToo = false);

// xmlEscaped as UTF-8, appended to `out`.
void appendXmlEscaped(QByteArray& out, const QString& text, bool lineEndsToo = false);

// Replaces, in place, what XML 1.0 cannot hold in a UTF-8 document that
// another writer made from unchecked texts: control bytes other than tab,
// line feed and carriage return, and U+FFFE and U+FFFF, become blanks
// (markup is left as it is).
void replaceImpossibleXmlBytes(QByteArray& utf8);

} // namespace twl
