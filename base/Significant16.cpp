// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Significant16.h"

#include "base/PowersOfTen.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace twl {

namespace {

using u128 = unsigned __int128;

u128 pow10(int p) {
    return p < 20 ? u128(PowersOfTen[p]) : u128(PowersOfTen[19]) * PowersOfTen[p - 19];
}

// The sixteen digits of value = mantissa * 2^-shift times 10^(15 - point),
// rounded half to even from the exact product; false when the point was
// guessed wrong (the product's integer part has not sixteen digits).
bool sixteenDigits(std::uint64_t mantissa, int shift, int point, std::uint64_t& digits) {
    const u128 scaled = u128(mantissa) * pow10(15 - point);
    u128 q = scaled >> shift;
    if (q < PowersOfTen[15] || q >= PowersOfTen[16]) return false;
    const u128 rest = scaled - (q << shift);
    const u128 half = u128(1) << (shift - 1);
    if (rest > half || (rest == half && (q & 1))) ++q; // 10^16 at most
    digits = static_cast<std::uint64_t>(q);
    return true;
}

// The standard library's text, its letters in capitals as the C library's.
char* putByLibrary(char* out, double value) {
    char* end = std::to_chars(out, out + 32, value, std::chars_format::general, 16).ptr;
    for (char* c = out; c != end; ++c)
        if (*c >= 'a' && *c <= 'z') *c = char(*c - 'a' + 'A');
    return end;
}

} // namespace

char* putSignificant16(char* out, double value) {
    const double magnitude = std::fabs(value);
    // 1E-4 up to 1E15: the text is never scientific, the point lies among
    // or before the digits, and the exact product below fits 128 bits.
    if (!(magnitude >= 1e-4 && magnitude < 1e15)) return putByLibrary(out, value);
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent); // [0.5, 1)
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int shift = 53 - exponent; // at most 67 here
    // The power of ten of the first digit: the estimate may be one off.
    int point = static_cast<int>(std::floor(std::log10(magnitude)));
    std::uint64_t digits = 0;
    if (!sixteenDigits(mantissa, shift, point, digits)) {
        const u128 scaled = (u128(mantissa) * pow10(15 - point)) >> shift;
        point += scaled < PowersOfTen[15] ? -1 : 1;
        if (!sixteenDigits(mantissa, shift, point, digits)) return putByLibrary(out, value);
    }
    // Rounding up to 10^16 moves the first digit one place.
    if (digits == PowersOfTen[16]) {
        digits = PowersOfTen[15];
        ++point;
    }
    if (point >= 16) return putByLibrary(out, value);
    char text[16];
    for (int i = 15; i >= 0; --i) {
        text[i] = char('0' + digits % 10);
        digits /= 10;
    }
    int last = 15; // trailing zeros go
    while (last > 0 && text[last] == '0')
        --last;
    if (value < 0) *out++ = '-';
    if (point >= 0) {
        for (int i = 0; i <= point; ++i)
            *out++ = text[i];
        if (last > point) {
            *out++ = '.';
            for (int i = point + 1; i <= last; ++i)
                *out++ = text[i];
        }
    } else {
        *out++ = '0';
        *out++ = '.';
        for (int i = point + 1; i < 0; ++i)
            *out++ = '0';
        for (int i = 0; i <= last; ++i)
            *out++ = text[i];
    }
    return out;
}

} // namespace twl
