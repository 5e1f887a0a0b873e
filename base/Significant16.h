// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A number in sixteen significant digits, as the C library's "%.16G" writes
// it in the C locale: what the workbook library puts in a sheet's cells.

namespace twl {

// Writes the text at `out` (room for 32 characters) and returns its end.
// Amounts (1E-4 up to 1E15) take exact integer arithmetic; any other value
// the standard library's conversion, which gives the same digits slower.
char* putSignificant16(char* out, double value);

} // namespace twl
