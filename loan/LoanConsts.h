// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Resource strings of the schedule. Their identifiers date from when the
// calculation lived in the application, and keep their numbers.

#include "base/ResourceStrings.h"

namespace twl::rs {

inline constexpr ResourceString SSumCaption{1103, "SUM"};
inline constexpr ResourceString SNoBalance{1104, "-"};

} // namespace twl::rs
