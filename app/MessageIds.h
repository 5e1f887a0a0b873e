// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSet>

namespace twl {

// The resource strings that a language file's [ResourceStrings] section
// translates although the calculator keeps its other ones as built: the
// messages a user meets in a box or on the error output (a number that does
// not read, a failed calculation, a file that cannot be written, the plan's
// refusals, twlc-export's own lines). Documents never hold them.
QSet<int> userMessageIds();

} // namespace twl
