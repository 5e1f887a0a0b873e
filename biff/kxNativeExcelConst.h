// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Record identifiers and fixed values of the native workbook format.
//
// The writer raises one message of its own kind, "Cannot create file %s"; it
// comes from the atomic save routine in base/ (rs::SFCreateError), so this
// folder's resource range (3000-3099) holds no string yet.

#include <array>
#include <cstdint>

namespace twl::biff {

// Component version: high byte major, low byte minor ("1.23").
inline constexpr std::uint32_t VersionNumber = 0x0117;

// Fixed sheet extent written into DIMENSIONS; also the cursor's bounds.
inline constexpr std::uint16_t FirstRow = 0;
inline constexpr std::uint16_t LastRow = 65535;
inline constexpr std::uint16_t FirstColumn = 0;
inline constexpr std::uint16_t LastColumn = 256;

// Two font bits in a cell: at most four fonts per workbook.
inline constexpr std::uint8_t MaxFonts = 4;
// One-byte length prefix of every text in a record.
inline constexpr int MaxTextBytes = 255;

namespace rec {
inline constexpr std::uint16_t Dimensions2 = 0x0000;
inline constexpr std::uint16_t Blank = 0x0001;
inline constexpr std::uint16_t Integer = 0x0002;
inline constexpr std::uint16_t Number = 0x0003;
inline constexpr std::uint16_t Label = 0x0004;
inline constexpr std::uint16_t BoolErr = 0x0005;
inline constexpr std::uint16_t Bof2 = 0x0009;
inline constexpr std::uint16_t Eof = 0x000A;
inline constexpr std::uint16_t Protect = 0x0012;
inline constexpr std::uint16_t Header = 0x0014;
inline constexpr std::uint16_t Footer = 0x0015;
inline constexpr std::uint16_t ColWidth = 0x0024;
inline constexpr std::uint16_t LeftMargin = 0x0026;
inline constexpr std::uint16_t RightMargin = 0x0027;
inline constexpr std::uint16_t TopMargin = 0x0028;
inline constexpr std::uint16_t BottomMargin = 0x0029;
inline constexpr std::uint16_t Font = 0x0031;
inline constexpr std::uint16_t CodePage = 0x0042;
inline constexpr std::uint16_t Xf2 = 0x0043;
inline constexpr std::uint16_t Dimensions3 = 0x0200;
inline constexpr std::uint16_t Bof3 = 0x0209;
inline constexpr std::uint16_t Xf3 = 0x0243;
inline constexpr std::uint16_t Bof4 = 0x0409;
inline constexpr std::uint16_t Xf4 = 0x0443;
inline constexpr std::uint16_t Bof5 = 0x0809;
} // namespace rec

// BOF body: the version word is 0x0200 under every setting, then the
// worksheet type; the later settings add a zero word.
inline constexpr std::uint16_t BofVersionWord = 0x0200;
inline constexpr std::uint16_t BofWorksheet = 0x0010;

// BOOLERR codes 0..8: value byte and kind byte (0 boolean, 1 error).
struct BoolErrBytes {
    std::uint8_t value;
    std::uint8_t kind;
};
inline constexpr std::array<BoolErrBytes, 9> BoolErrTable = {{
    {0x01, 0}, // TRUE
    {0x00, 0}, // FALSE
    {0x00, 1}, // #NULL!
    {0x07, 1}, // #DIV/0!
    {0x0F, 1}, // #VALUE!
    {0x17, 1}, // #REF!
    {0x1D, 1}, // #NAME?
    {0x24, 1}, // #NUM!
    {0x2A, 1}, // #N/A
}};
inline constexpr std::uint8_t BoolErrTrue = 0;
inline constexpr std::uint8_t BoolErrFalse = 1;
inline constexpr std::uint8_t BoolErrNull = 2;
inline constexpr std::uint8_t BoolErrValue = 4;
inline constexpr std::uint8_t BoolErrNA = 8;

// Alignment codes of the third attribute byte, by TkxExcelAlignment ordinal.
inline constexpr std::array<std::uint8_t, 6> AlignmentCodes = {0, 1, 3, 2, 4, 7};

} // namespace twl::biff
