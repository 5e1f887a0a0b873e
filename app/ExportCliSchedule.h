#pragma once
// The command line's table: the schedule computed once to learn its size (the
// number of rows and each column's widest text, which some documents need
// before their first row), then computed again while the document is
// written. No table of the whole schedule is ever held, so a schedule of any
// length is written in the same memory. The rows and every text are those
// the table export would hold: the documents are the same bytes.

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
    // on a thread of its own, as the rows are read. Raises what the
    // calculation raises, with nothing learned.
    void measure(Calculation calculation);

    void GotoFirstRow() override;
    bool IsEndOfRows() override;
    bool IsRowSelected(int) override { return false; }
    int GetColumnDataWidth(int Index) override;
    void GetRowValues(TkxValues& Values) override;
    int GetRowCount() override;

private:
    class Rows;

    Calculation m_calculation;
    std::size_t m_rowCount = 0;
    std::vector<int> m_widths;
    std::unique_ptr<Rows> m_rows;
    std::size_t m_nextRow = 0; // the row m_rows hands on next
};

} // namespace twl
