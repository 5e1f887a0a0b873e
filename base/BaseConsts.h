// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Resource strings of the runtime helpers in base/.

#include "base/ResourceStrings.h"

namespace twl::rs {

inline constexpr ResourceString SInvalidFloat{1000, "'%s' is not a valid floating point value"};
inline constexpr ResourceString SInvalidInteger{1001, "'%s' is not a valid integer value"};
inline constexpr ResourceString SZeroDivide{1002, "Floating point division by zero"};
inline constexpr ResourceString SOverflow{1003, "Floating point overflow"};
inline constexpr ResourceString SInvalidOp{1004, "Invalid floating point operation"};
inline constexpr ResourceString SInvalidFormat{1005,
                                               "Format '%s' invalid or incompatible with argument"};
inline constexpr ResourceString SArgumentMissing{1006, "No argument for format '%s'"};
inline constexpr ResourceString SFCreateError{1007, "Cannot create file %s"};
inline constexpr ResourceString SAbstractError{1008, "Abstract Error"};
inline constexpr ResourceString SAssignError{1009, "Cannot assign a %s to a %s"};
inline constexpr ResourceString SListIndexError{1010, "List index out of bounds (%d)"};
inline constexpr ResourceString SInvalidPropertyValue{1011, "Invalid property value"};
inline constexpr ResourceString SNullText{1012, "** NULL **"};
inline constexpr ResourceString SFOpenError{1013, "Cannot open file %s"};
inline constexpr ResourceString SInvalidVarCast{1014, "Invalid variant type conversion"};
inline constexpr ResourceString SFPartlyWritten{1015, "%s was partly written: %s"};
inline constexpr ResourceString SFNotDurable{
    1016, "%s now holds the new document, but it may not survive a system crash: %s"};
inline constexpr ResourceString STemporaryFolderError{
    1017, "Cannot write in the temporary folder %s: %s"};

} // namespace twl::rs
