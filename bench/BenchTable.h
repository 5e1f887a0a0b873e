// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A schedule-shaped table of any size for the export benchmarks, built once
// per size and kept for the whole run.

#include "toolkit/ListView.h"

#include <map>
#include <memory>

namespace twl::bench {

inline TListView& scheduleTable(int rows) {
    static std::map<int, std::unique_ptr<TListView>> views;
    std::unique_ptr<TListView>& view = views[rows];
    if (!view) {
        view = std::make_unique<TListView>();
        for (const char* c : {"Payment #", "Payment", "Interest", "Principal", "Balance"})
            view->AddColumn(QString::fromLatin1(c), 100);
        for (int i = 1; i <= rows; ++i) {
            const double interest = 10000.0 * (rows - i) / rows;
            view->addItem(QString::number(i),
                          {QStringLiteral("88.85"), QString::number(interest, 'f', 2),
                           QString::number(88.85 - interest / 1000, 'f', 2),
                           QString::number(1000000.0 - i * 9.5, 'f', 2)});
        }
    }
    return *view;
}

} // namespace twl::bench
