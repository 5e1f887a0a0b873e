// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Resource strings of the toolkit.

#include "base/ResourceStrings.h"

namespace twl::rs {

inline constexpr ResourceString SMsgDlgError{1050, "Error"};
inline constexpr ResourceString SMsgDlgOK{1051, "OK"};

} // namespace twl::rs
