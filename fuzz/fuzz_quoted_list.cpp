// SPDX-License-Identifier: GPL-3.0-or-later
// The list syntax of string-list values: always terminates, and items written
// back quoted read back unchanged.
#include "FuzzText.h"
#include "i18n/bsPolyglotUn.h"

#include <QStringList>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = fuzzText(data, size);
    const QStringList items = twl::SplitQuotedList(text);
    QStringList quoted;
    for (const QString& item : items) {
        if (item.size() > text.size()) std::abort();
        if (item.contains(QChar(0))) std::abort();
        QString q = item;
        q.replace(QLatin1Char('\''), QLatin1String("''"));
        quoted.append(QLatin1Char('\'') + q + QLatin1Char('\''));
    }
    if (twl::SplitQuotedList(quoted.join(QLatin1Char(','))) != items) std::abort();
    return 0;
}
