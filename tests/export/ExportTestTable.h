// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tables for the export tests: the loan schedule of 1000 at 12 % over 12
// months as the main window shows it, and small tables built by hand.

#include "export/kxExport.h"
#include "toolkit/ListView.h"

#include <QStringList>
#include <initializer_list>
#include <memory>

namespace twl::test {

// The current row of a source as the texts of its values.
inline QStringList currentRowTexts(TkxCustomExport& source) {
    TkxValues values;
    source.GetRowValues(values);
    QStringList texts;
    for (const TVariant& v : values)
        texts << v.toString();
    return texts;
}

// A list view with the given captions and rows (first text: the item's caption).
inline std::unique_ptr<TListView> makeListView(const QStringList& captions,
                                               std::initializer_list<QStringList> rows) {
    auto view = std::make_unique<TListView>();
    for (const QString& c : captions)
        view->AddColumn(c, 100);
    for (const QStringList& row : rows)
        view->addItem(row.value(0), row.mid(1));
    return view;
}

// The schedule table of the worked example, with two decimals; the inputs
// row carries no labels (as without a language file) and the date 2026-12-07.
inline std::unique_ptr<TListView> makeScheduleView() {
    return makeListView({"Payment #", "Payment", "Interest", "Principal", "Balance"},
                        {
                            {"1", "88.85", "10.00", "78.85", "921.15"},
                            {"2", "88.85", "9.21", "79.64", "841.51"},
                            {"3", "88.85", "8.42", "80.43", "761.08"},
                            {"4", "88.85", "7.61", "81.24", "679.84"},
                            {"5", "88.85", "6.80", "82.05", "597.79"},
                            {"6", "88.85", "5.98", "82.87", "514.92"},
                            {"7", "88.85", "5.15", "83.70", "431.22"},
                            {"8", "88.85", "4.31", "84.54", "346.68"},
                            {"9", "88.85", "3.47", "85.38", "261.30"},
                            {"10", "88.85", "2.61", "86.24", "175.07"},
                            {"11", "88.85", "1.75", "87.10", "87.97"},
                            {"12", "88.85", "0.88", "87.97", "0.00"},
                            {"SUM", "1066.19", "66.19", "1000.00", "-"},
                            {"", "1000", "12", "12", "2026-12-07"},
                        });
}

} // namespace twl::test
