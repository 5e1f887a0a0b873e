// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A schedule sink that keeps every row as it arrives, for tests to read.

#include "loan/Amortization.h"

#include <QStringList>
#include <vector>

namespace twl::test {

struct TableSink : ScheduleSink {
    std::vector<QStringList> rows;
    void beginRow(QStringView caption) override { rows.push_back({caption.toString()}); }
    void addCell(QStringView text) override { rows.back().append(text.toString()); }
};

} // namespace twl::test
