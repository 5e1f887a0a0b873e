// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Messages of the localization subsystem.

#include "base/ResourceStrings.h"

namespace twl::rs {

inline constexpr ResourceString SbsFileReadOnly{4000, "File \"%s\" is read-only"};
inline constexpr ResourceString SbsCoreSingleInstance{
    4001, "Core Multi Lang is single instance class. Please use GetCorePolyglot class function to "
          "obtain an instance."};
inline constexpr ResourceString SbsCoreNotAssignedWrite{4002, "Core multi lang is not assigned"};
inline constexpr ResourceString SbsCoreNotAssignedRead{4003, "Core polyglot is not assigned."};
inline constexpr ResourceString SbsInvalidPropertyElement{4004, "Invalid property element: %s"};

} // namespace twl::rs
