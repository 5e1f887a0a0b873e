// SPDX-License-Identifier: GPL-3.0-or-later
// Format() with any pattern and any arguments: a text within the result's
// bound, or EConvertError; never another failure, never unbounded memory.
#include "FuzzText.h"
#include "base/Exceptions.h"
#include "base/Format.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Takes `n` bytes from the input, or zeros once it runs out.
struct Input {
    const std::uint8_t* data;
    std::size_t size;
    void take(void* out, std::size_t n) {
        std::memset(out, 0, n);
        const std::size_t k = n < size ? n : size;
        std::memcpy(out, data, k);
        data += k;
        size -= k;
    }
    std::uint8_t byte() {
        std::uint8_t b;
        take(&b, 1);
        return b;
    }
};

} // namespace

// Input: a count of arguments, each a kind byte and its value (8 bytes of an
// integer or double, or a length byte and that many bytes of text), then the
// pattern.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in{data, size};
    std::vector<twl::FormatArg> args;
    const int count = in.byte() % 8;
    for (int i = 0; i < count; ++i) {
        const int kind = in.byte() % 3;
        if (kind == 0) {
            long long v;
            in.take(&v, sizeof v);
            args.emplace_back(v);
        } else if (kind == 1) {
            double v;
            in.take(&v, sizeof v);
            args.emplace_back(v);
        } else {
            std::size_t n = in.byte();
            if (n > in.size) n = in.size;
            args.emplace_back(fuzzText(in.data, n));
            in.data += n;
            in.size -= n;
        }
    }
    const QString pattern = fuzzText(in.data, in.size);
    try {
        const QString out = twl::Format(pattern, args);
        if (out.size() > 16 * 1024 * 1024) std::abort();
    } catch (const twl::EConvertError&) {
    }
    return 0;
}
