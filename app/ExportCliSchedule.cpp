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
    void beginRow(QStringView caption) override {
        endRow();
        m_row.append(caption.toString());
        m_open = true;
    }
    void addCell(QStringView text) override { m_row.append(text.toString()); }
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

} // namespace

// A measured table's texts, kept while they are Latin-1 and fit a few
// megabytes: the writer then reads them back instead of computing the table
// again. Each row is its cell count, then each cell as its length (Null for
// a null text) and bytes.
class TScheduleTableExport::RowStore {
public:
    static constexpr std::size_t Budget = 6 * 1024 * 1024;
    static constexpr unsigned char Null = 255;

    bool holds() const { return m_holding; }
    void beginRow() {
        if (!m_holding) return;
        m_rowStart = m_bytes.size();
        m_bytes.push_back(0);
    }
    void add(QStringView text) {
        if (!m_holding) return;
        const qsizetype n = text.size();
        if (n >= Null || m_bytes.size() + static_cast<std::size_t>(n) + 1 > Budget ||
            static_cast<unsigned char>(m_bytes[m_rowStart]) == 255) {
            drop();
            return;
        }
        ++m_bytes[m_rowStart];
        m_bytes.push_back(static_cast<char>(text.isNull() ? Null : n));
        for (const QChar c : text) {
            if (c.unicode() > 0xFF) {
                drop();
                return;
            }
            m_bytes.push_back(static_cast<char>(c.unicode()));
        }
    }

    // Reading, row after row from the first.
    void rewind() { m_reading = 0; }
    void readRow(QStringList& row) {
        row.clear();
        const auto count = static_cast<unsigned char>(m_bytes[m_reading++]);
        for (unsigned i = 0; i < count; ++i) {
            const auto n = static_cast<unsigned char>(m_bytes[m_reading++]);
            if (n == Null) {
                row.append(QString());
                continue;
            }
            row.append(QString::fromLatin1(m_bytes.data() + m_reading, n));
            m_reading += n;
        }
    }

private:
    void drop() {
        m_holding = false;
        std::vector<char>().swap(m_bytes);
    }

    std::vector<char> m_bytes;
    std::size_t m_rowStart = 0;
    std::size_t m_reading = 0;
    bool m_holding = true;
};

// Counts the rows and keeps each column's widest text as the cells pass,
// without collecting a row (the caption is column 0).
class TScheduleTableExport::Measure : public ScheduleSink {
public:
    Measure(std::vector<int>& widths, RowStore& store)
        : m_widths(widths)
        , m_store(store) {}
    std::size_t rows = 0;

    void beginRow(QStringView caption) override {
        ++rows;
        m_column = 0;
        m_store.beginRow();
        addCell(caption);
    }
    void addCell(QStringView text) override {
        if (m_column < m_widths.size())
            m_widths[m_column] = std::max(m_widths[m_column], static_cast<int>(text.size()));
        ++m_column;
        m_store.add(text);
    }

private:
    std::vector<int>& m_widths;
    RowStore& m_store;
    std::size_t m_column = 0;
};

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
    m_stored.reset();
    m_calculation = {};
    m_rowCount = 0;
    std::vector<int> widths(static_cast<std::size_t>(GetColumnCount()), 0);
    auto store = std::make_unique<RowStore>();
    Measure measure(widths, *store);
    calculation(measure);
    if (store->holds()) m_stored = std::move(store);
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
    QStringList& row = m_row;
    row.clear();
    if (wanted < m_rowCount && m_stored) {
        if (wanted < m_nextRow) {
            m_stored->rewind();
            m_nextRow = 0;
        }
        for (; m_nextRow <= wanted; ++m_nextRow)
            m_stored->readRow(row);
    } else if (wanted < m_rowCount) {
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
    if (m_nextRow == m_rowCount && m_rows) m_rows.reset();
}

int TScheduleTableExport::GetRowCount() {
    GotoFirstRow();
    return static_cast<int>(m_rowCount);
}

} // namespace twl
