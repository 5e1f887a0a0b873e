// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line's table: the schedule computed once to learn its size (the
// number of rows and each column's widest text, which some documents need
// before their first row). A table whose texts fit a few megabytes is kept
// from that run; a longer one is computed again while the document is
// written, so a schedule of any length is written in the same memory. The
// rows and every text are those the table export would hold: the documents
// are the same bytes.

#include "export/kxTableExport.h"
#include "loan/Amortization.h"

#include <functional>
#include <memory>
#include <vector>

namespace twl {

// No Q_OBJECT: to the language file and the documents this stays the
// table export it stands in for.
class TScheduleTableExport : public TkxTableExport {
public:
    using Calculation = std::function<void(ScheduleSink& sink)>;

    explicit TScheduleTableExport(QObject* owner = nullptr);
    ~TScheduleTableExport() override;

    // Runs the calculation once to learn the table's size; it is run again,
    // on a thread of its own, as the rows are read, unless its texts were
    // kept. `expectedRows` (0: unknown) is the rows the table is expected to
    // have: a table expected too long to keep is not kept. Without
    // `wantWidths`, a table not kept learns no column widths (each is 0), for
    // a document that lays out none. Raises what the calculation raises,
    // with nothing learned.
    void measure(Calculation calculation, std::size_t expectedRows = 0, bool wantWidths = true);

    void GotoFirstRow() override;
    bool IsEndOfRows() override;
    bool IsRowSelected(int) override { return false; }
    int GetColumnDataWidth(int Index) override;
    void GetRowValues(TkxValues& Values) override;
    int GetRowCount() override;
    bool HasRowTexts() override { return m_latin1; }
    void GetRowTexts(QList<QLatin1StringView>& Texts) override;

private:
    template <class Unit> class Rows;
    class RowStore;
    class Measure;

    // Hands read(texts, last) the table holding the wanted row, at that row;
    // `last` when the row's block goes once it is read.
    template <class Read> void readWantedRow(Read&& read);
    template <class Unit, class Read>
    void readRecomputed(std::unique_ptr<Rows<Unit>>& rows, std::size_t wanted, Read& read);

    Calculation m_calculation;
    std::size_t m_rowCount = 0;
    std::vector<int> m_widths;
    std::unique_ptr<Rows<char>> m_latin1Rows;   // the recomputed rows, when all are Latin-1
    std::unique_ptr<Rows<char16_t>> m_wideRows; // else
    std::unique_ptr<RowStore> m_stored;         // the measured rows, when they were kept
    std::size_t m_nextRow = 0;                  // the row the table hands on next
    std::vector<char> m_narrow;                 // the texts of the last row read, where copied
    bool m_latin1 = false;                      // whether every measured text was Latin-1
};

} // namespace twl
