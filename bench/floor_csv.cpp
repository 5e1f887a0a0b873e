// SPDX-License-Identifier: GPL-3.0-or-later
// The floor: the smallest exact program we know for the schedule's CSV, kept
// to measure twlc-export against. The same arithmetic (each formula in
// extended precision, each stored value rounded to double, the same faults at
// the same month), the same cell texts, the English captions and labels, and
// the file written as one buffer to a temporary file, synced, then renamed.
// It uses none of the program's code, so its bytes also check ours.
//
//   floor_csv AMOUNT MONTHS RATE DECIMALS DATE OUTPUT
//
// AMOUNT and RATE must be plain numbers of at most 15 significant digits (the
// inputs row shows them as written); DATE is the inputs row's date text.

#include <cfenv>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

struct Fault {
    const char* message;
};

// Each formula's result passes through a volatile, so that no arithmetic
// moves across a flag test.
template <bool Checked> void check() {
    if constexpr (Checked) {
        const int f = std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
        if (f & FE_DIVBYZERO) throw Fault{"Floating point division by zero"};
        if (f & FE_OVERFLOW) throw Fault{"Floating point overflow"};
        if (f) throw Fault{"Invalid floating point operation"};
    }
}

template <bool Checked, class F> double stored(F&& f) {
    volatile double r = static_cast<double>(static_cast<long double>(f()));
    check<Checked>();
    return r;
}

struct State {
    double P, R, B, M = 0, SM = 0, SI = 0, SPr = 0, I = 0, Pr = 0;
    long double q1 = 0; // month 1's q, when positive
};

// One month. Unchecked, the flags are tested once afterwards; a month that
// raised any is run again checked from the same state, which then stops at
// its first fault, as testing after every formula would.
template <bool Checked> void month(State& s, std::int32_t k, std::int32_t N) {
    s.I = stored<Checked>([&] { return (long double)s.B * s.R / 12 / 100; });
    volatile long double q = (long double)s.I / s.P;
    check<Checked>();
    // Later months with 0 < q <= q(1) cannot fault in steps b to d (the
    // program's own proof); every other month runs them in full.
    const bool quiet =
        k >= 2 && s.M != 0 && q > 0 && s.q1 > 0 && q <= s.q1 && q * (long double)DBL_MAX >= 1.0L;
    if (!quiet) {
        double F = stored<Checked>([&] { return q + 1; });
        for (std::int32_t j = 1; j < N; ++j)
            F = stored<Checked>([&] { return (q + 1) * F; });
        const double D = stored<Checked>([&] { return 1 / q - 1 / (q * F); });
        if (s.M == 0) s.M = stored<Checked>([&] { return (long double)s.B / D; });
        if (k == 1 && q > 0) s.q1 = q;
    }
    s.Pr = stored<Checked>([&] { return (long double)s.M - s.I; });
    s.B = stored<Checked>([&] { return (long double)s.B - s.Pr; });
    if (!(s.B >= 0)) s.B = 0;
    s.SM = stored<Checked>([&] { return (long double)s.SM + s.M; });
    s.SI = stored<Checked>([&] { return (long double)s.SI + s.I; });
    s.SPr = stored<Checked>([&] { return (long double)s.SPr + s.Pr; });
}

// Fixed point with d decimals: the value rounded to 18 significant digits,
// then to d decimals, a half away from zero. Where value * 10^d lies clear of
// a half, that is its nearest integer; elsewhere the digits are rounded.
char* fixed(char* p, double v, int d) {
    static const long double pow10[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,
                                        1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
                                        1e14L, 1e15L, 1e16L, 1e17L, 1e18L};
    char digits[40];
    int len = 0; // digits of the result's magnitude, the last d of them decimals
    const long double t = std::fabs((long double)v) * pow10[d];
    const long double f = t - std::floor(t);
    if (t < 1e15L && std::fabs(f - 0.5L) >= 1.0L / 1024) {
        const std::uint64_t n = (std::uint64_t)t + (f > 0.5L);
        len = int(std::to_chars(digits, digits + 20, n).ptr - digits);
    } else {
        if (!(std::fabs(v) < 1e18)) return nullptr; // scientific: not a floor case
        char s[32];
        const char* end =
            std::to_chars(s, s + 32, std::fabs(v), std::chars_format::scientific, 17).ptr;
        char d18[18];
        d18[0] = s[0];
        std::memcpy(d18 + 1, s + 2, 17);
        int e = 0;
        std::from_chars(s + 21, end, e);
        if (s[20] == '-') e = -e;
        const int keep = e + 1 + d; // digits kept, from d18[0]
        for (int i = 0; i < keep; ++i)
            digits[len++] = i < 18 ? d18[i] : '0';
        if (keep < 18 && keep >= 0 && d18[keep] >= '5') {
            int i = len - 1;
            while (i >= 0 && digits[i] == '9')
                digits[i--] = '0';
            if (i >= 0) {
                ++digits[i];
            } else {
                std::memmove(digits + 1, digits, std::size_t(len++));
                digits[0] = '1';
            }
        }
        int lead = 0; // leading zeros of an all but vanished value
        while (lead < len - 1 && digits[lead] == '0')
            ++lead;
        std::memmove(digits, digits + lead, std::size_t(len -= lead));
        if (len == 0) digits[len++] = '0';
    }
    const bool zero = len == 1 && digits[0] == '0';
    if (v < 0 && !zero) *p++ = '-';
    if (len <= d) { // leading zeros: 0.0ddd
        std::memmove(digits + (d + 1 - len), digits, len);
        std::memset(digits, '0', d + 1 - len);
        len = d + 1;
    }
    std::memcpy(p, digits, len - d);
    p += len - d;
    if (d > 0) {
        *p++ = '.';
        std::memcpy(p, digits + len - d, d);
        p += d;
    }
    return p;
}

void put(std::string& out, std::string_view s) {
    out.append(s);
}

int fail(const char* what) {
    std::fprintf(stderr, "floor_csv: %s\n", what);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 7) return fail("usage: AMOUNT MONTHS RATE DECIMALS DATE OUTPUT");
    const std::string_view amountText = argv[1], rateText = argv[3];
    State s{};
    std::int32_t N = 0;
    int d = 0;
    if (std::from_chars(argv[1], argv[1] + std::strlen(argv[1]), s.P).ec != std::errc() ||
        std::from_chars(argv[2], argv[2] + std::strlen(argv[2]), N).ec != std::errc() ||
        std::from_chars(argv[3], argv[3] + std::strlen(argv[3]), s.R).ec != std::errc() ||
        std::from_chars(argv[4], argv[4] + std::strlen(argv[4]), d).ec != std::errc() || d < 0 ||
        d > 18)
        return fail("not a number");
    s.B = s.P;

    std::string out;
    out.reserve(std::size_t(N > 0 ? N : 0) * 64 + 512);
    put(out, "\"Payment #\",Payment,Interest,Principal,Balance\r\n");
    try {
        // The flags are sticky: a month that leaves none of the three set
        // needs no clearing before the next (clearing costs more than testing).
        std::feclearexcept(FE_ALL_EXCEPT);
        for (std::int32_t k = 1; k <= N; ++k) {
            const State before = s;
            month<false>(s, k, N);
            if (std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID)) {
                s = before;
                std::feclearexcept(FE_ALL_EXCEPT);
                month<true>(s, k, N);
            }
            if (out.capacity() - out.size() < 256) out.reserve(out.capacity() * 2);
            char row[256];
            char* p = std::to_chars(row, row + 16, k).ptr;
            for (const double v : {s.M, s.I, s.Pr, s.B}) {
                *p++ = ',';
                if (!(p = fixed(p, v, d))) return fail("an amount beyond 18 digits");
            }
            *p++ = '\r';
            *p++ = '\n';
            out.append(row, std::size_t(p - row));
        }
    } catch (const Fault& f) {
        std::fprintf(stderr, "%s\n", f.message);
        return 1;
    }
    char row[256];
    char* p = row;
    for (const double v : {s.SM, s.SI, s.SPr}) {
        *p++ = ',';
        if (!(p = fixed(p, v, d))) return fail("an amount beyond 18 digits");
    }
    put(out, "SUM");
    out.append(row, std::size_t(p - row));
    put(out, ",-\r\nInputs:,\"Amount: ");
    put(out, amountText);
    put(out, "\",\"Months: ");
    char n[16];
    out.append(n, std::size_t(std::to_chars(n, n + 16, N).ptr - n));
    put(out, "\",\"Rate (%): ");
    put(out, rateText);
    put(out, "\",\"Date: ");
    put(out, argv[5]);
    put(out, "\"\r\n");

    std::string temp = std::string(argv[6]) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return fail("cannot create the temporary file");
    for (std::size_t done = 0; done < out.size();) {
        const ssize_t w = ::write(fd, out.data() + done, out.size() - done);
        if (w <= 0) return fail("cannot write");
        done += std::size_t(w);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0 || ::rename(temp.c_str(), argv[6]) != 0)
        return fail("cannot finish the file");
    return 0;
}
