// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared by the tests of the HTML, RTF, DIF, SYLK and workbook documents: the
// main window's component over the worked example, and the document's lines.

#include "export/kxExportHost.h"
#include "export/kxListViewExport.h"
#include "tests/export/ExportTestTable.h"
#include "tests/export/writers/WriterTestSupport.h"
#include "toolkit/ListView.h"

namespace twl::test {

inline const QDateTime FormatTestNow(QDate(2026, 12, 7), QTime(10, 30, 0));

// The main window's export component over the worked example, with the
// clock and the regional settings pinned.
struct ScheduleExport {
    RegionalScope regional;
    ClockScope clock{FormatTestNow};
    std::unique_ptr<TListView> view = makeScheduleView();
    TkxListViewExport exporter;
    ScheduleExport() { kxApplyMainWindowSettings(exporter, view.get()); }

    // The table's texts, row by row, as the list view holds them.
    std::vector<QStringList> rows() const {
        std::vector<QStringList> result;
        for (int i = 0; i < view->itemCount(); ++i) {
            result.push_back({});
            for (int c = 0; c <= view->item(i).subItemCount(); ++c)
                result.back() << view->cellText(i, c);
        }
        return result;
    }
};

// The lines of a single-byte document whose lines end in CR LF.
inline QStringList documentLines(const QByteArray& document) {
    QStringList result = QString::fromLatin1(document).split(QStringLiteral("\r\n"));
    if (!result.isEmpty() && result.last().isEmpty()) result.removeLast();
    return result;
}

} // namespace twl::test
