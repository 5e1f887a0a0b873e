#include "app/ExportCliSchedule.h"

#include "base/Exceptions.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

namespace twl {

namespace {

// Rows as the schedule hands them on: the caption first, then the cells.
class RowCollector : public ScheduleSink {
public:
    void beginRow(const QString& caption) override {
        endRow();
        m_row.append(caption);
        m_open = true;
    }
    void addCell(const QString& text) override { m_row.append(text); }
    // Hands on the row being built, if any.
    void endRow() {
        if (!m_open) return;
        take(m_row);
        m_row.clear();
        m_open = false;
    }

protected:
    virtual void take(const QStringList& row) = 0;

private:
    QStringList m_row;
    bool m_open = false;
};

// Counts the rows and keeps each column's widest text as the cells pass,
// without collecting a row (the caption is column 0).
class Measure : public ScheduleSink {
public:
    explicit Measure(std::vector<int>& widths)
        : m_widths(widths) {}
    std::size_t rows = 0;

    void beginRow(const QString& caption) override {
        ++rows;
        m_column = 0;
        widen(caption);
    }
    void addCell(const QString& text) override { widen(text); }

private:
    void widen(const QString& text) {
        if (m_column < m_widths.size())
            m_widths[m_column] = std::max(m_widths[m_column], static_cast<int>(text.size()));
        ++m_column;
    }

    std::vector<int>& m_widths;
    std::size_t m_column = 0;
};

} // namespace

// The second run of the calculation, a few blocks of rows ahead of the
// writer: the calculation hands its rows on from inside one call, the writer
// asks for them one at a time.
class TScheduleTableExport::Rows {
public:
    explicit Rows(const Calculation& calculation)
        : m_thread([this, calculation] { produce(calculation); }) {}

    ~Rows() {
        {
            const std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }

    // The next row; false after the last one. Raises what the calculation raised.
    bool next(QStringList& row) {
        if (m_reading == m_current.size()) {
            m_current.clear();
            m_reading = 0;
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return !m_blocks.empty() || m_finished; });
            if (m_blocks.empty()) {
                if (m_error) std::rethrow_exception(m_error);
                return false;
            }
            m_current = std::move(m_blocks.front());
            m_blocks.pop_front();
            m_changed.notify_all();
        }
        row = std::move(m_current[m_reading++]);
        return true;
    }

private:
    static constexpr std::size_t BlockRows = 512;
    static constexpr std::size_t MaxBlocks = 4;
    struct Stopped {};

    class Feed : public RowCollector {
    public:
        explicit Feed(Rows& rows)
            : m_rows(rows) {}
        void finish() {
            endRow();
            if (!m_block.empty()) m_rows.push(std::move(m_block));
        }

    protected:
        void take(const QStringList& row) override {
            m_block.push_back(row);
            if (m_block.size() == BlockRows) {
                m_rows.push(std::move(m_block));
                m_block.clear();
            }
        }

    private:
        Rows& m_rows;
        std::vector<QStringList> m_block;
    };

    void push(std::vector<QStringList> block) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_stop || m_blocks.size() < MaxBlocks; });
        if (m_stop) throw Stopped{};
        m_blocks.push_back(std::move(block));
        m_changed.notify_all();
    }

    void produce(const Calculation& calculation) {
        std::exception_ptr error;
        try {
            Feed feed(*this);
            calculation(feed);
            feed.finish();
        } catch (const Stopped&) {
        } catch (...) {
            error = std::current_exception();
        }
        const std::lock_guard lock(m_mutex);
        m_error = error;
        m_finished = true;
        m_changed.notify_all();
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::vector<QStringList>> m_blocks;
    bool m_stop = false;
    bool m_finished = false;
    std::exception_ptr m_error;
    std::vector<QStringList> m_current; // read by the writer only
    std::size_t m_reading = 0;
    std::thread m_thread; // last: starts once the rest is there
};

TScheduleTableExport::TScheduleTableExport(QObject* owner)
    : TkxTableExport(owner) {}

TScheduleTableExport::~TScheduleTableExport() = default;

void TScheduleTableExport::measure(Calculation calculation) {
    m_rows.reset();
    m_calculation = {};
    m_rowCount = 0;
    std::vector<int> widths(static_cast<std::size_t>(GetColumnCount()), 0);
    Measure measure(widths);
    calculation(measure);
    m_calculation = std::move(calculation);
    m_rowCount = measure.rows;
    m_widths = std::move(widths);
}

void TScheduleTableExport::GotoFirstRow() {
    setRowIndex(0);
}

bool TScheduleTableExport::IsEndOfRows() {
    return RowIndex() >= m_rowCount;
}

int TScheduleTableExport::GetColumnDataWidth(int Index) {
    if (Index < 0 || static_cast<std::size_t>(Index) >= m_widths.size()) return 0;
    return m_widths[static_cast<std::size_t>(Index)];
}

void TScheduleTableExport::GetRowValues(TkxValues& Values) {
    const int columns = GetColumnCount();
    Values.resize(static_cast<std::size_t>(columns));
    const std::size_t wanted = RowIndex();
    QStringList row;
    if (wanted < m_rowCount) {
        // Rows are read in order; a reader that starts over starts the calculation over.
        if (!m_rows || wanted < m_nextRow) {
            m_rows.reset();
            m_rows = std::make_unique<Rows>(m_calculation);
            m_nextRow = 0;
        }
        for (; m_nextRow <= wanted; ++m_nextRow) {
            if (!m_rows->next(row))
                throw Exception(
                    QStringLiteral("the schedule ended before its row %1").arg(wanted + 1));
        }
    }
    for (int c = 0; c < columns; ++c)
        Values[static_cast<std::size_t>(c)] = TVariant(c < row.size() ? row[c] : QString());
    // The last row read: the calculation's thread is not needed any longer.
    if (m_nextRow == m_rowCount) m_rows.reset();
}

int TScheduleTableExport::GetRowCount() {
    GotoFirstRow();
    return static_cast<int>(m_rowCount);
}

} // namespace twl
