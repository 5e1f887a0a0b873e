// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line's documents laid out in fonts, from the widget layer.

namespace twl {

// Registers every document writer, the typeset ones (Word, RTF, PDF)
// included, and the chart's pictures of "--format png" and "svg".
void useFontDocuments();

} // namespace twl
