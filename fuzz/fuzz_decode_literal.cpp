// SPDX-License-Identifier: GPL-3.0-or-later
// DecodeLiteral never fails and never grows its input: every character of the
// result comes from at least one character of the text.
#include "FuzzText.h"
#include "i18n/bsStrUtils.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = fuzzText(data, size);
    const QString decoded = twl::DecodeLiteral(text);
    if (decoded.size() > text.size()) std::abort();
    // A decoded text written back as one run decodes to itself.
    QString run = decoded;
    run.replace(QLatin1Char('\''), QLatin1String("''"));
    run = QLatin1Char('\'') + run + QLatin1Char('\'');
    if (twl::DecodeLiteral(run) != decoded) std::abort();
    return 0;
}
