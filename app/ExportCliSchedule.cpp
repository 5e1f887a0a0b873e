// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ExportCliSchedule.h"

#include "app/RowTexts.h"
#include "loan/AmountFormat.h"

#include "base/Exceptions.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

namespace twl {

// A measured table's texts, kept while they are Latin-1 and fit a few
// megabytes: the writer then reads them back instead of computing the table
// again.
class TScheduleTableExport::RowStore {
public:
    static constexpr std::size_t Budget = 6 * 1024 * 1024;
    // No schedule row takes less: a count, five lengths, a digit each.
    static constexpr std::size_t LeastRowBytes = 14;
    // Few take more: a count, five lengths and some 50 characters.
    static constexpr std::size_t UsualRowBytes = 64;

    // Room for the rows expected, up to what the budget holds.
    void expect(std::size_t rows) {
        if (m_holding) m_texts.reserve(std::min(rows, Budget / UsualRowBytes) * UsualRowBytes);
    }

    bool holds() const { return m_holding; }
    // Whether every text was Latin-1, kept or not.
    bool latin1() const { return m_latin1; }
    void beginRow() {
        if (m_holding) m_texts.beginRow();
    }
    void add(QStringView text) {
        if (!m_holding) {
            m_latin1 = m_latin1 && RowTexts<char>::isLatin1(text);
        } else if (!m_texts.add(text)) {
            m_latin1 = false;
            drop();
        } else if (m_texts.size() > Budget) {
            drop();
        }
    }
    // An amount cell, formatted straight into the kept texts where they
    // take it (its separator is Latin-1); its length.
    qsizetype addAmount(double value, AmountFormat& fmt) {
        if (!m_holding || fmt.separator().unicode() > 0xFF) {
            const QStringView text = fmt.cell(value);
            add(text);
            return text.size();
        }
        qsizetype length = 0;
        m_texts.addWritten(FixedTextCapacity,
                           [&](char* to) { return length = fmt.cellTo(to, value); });
        if (m_texts.size() > Budget) drop();
        return length;
    }
    // A text left out, which is Latin-1 or not.
    void skip(bool latin1) { m_latin1 = m_latin1 && latin1; }
    void drop() {
        m_holding = false;
        m_texts.release();
    }
    void rewind() { m_texts.rewind(); }
    RowTexts<char>& texts() { return m_texts; }

private:
    RowTexts<char> m_texts;
    bool m_holding = true;
    bool m_latin1 = true;
};

// Counts the rows and keeps each column's widest text as the cells pass,
// without collecting a row (the caption is column 0).
class TScheduleTableExport::Measure final : public ScheduleSink {
public:
    Measure(std::vector<int>& widths, RowStore& store, bool wantWidths)
        : m_widths(widths)
        , m_store(store)
        , m_wantWidths(wantWidths) {}
    std::size_t rows = 0;

    void beginRow(QStringView caption) override {
        ++rows;
        m_column = 0;
        m_store.beginRow();
        addCell(caption);
    }
    void addCell(QStringView text) override {
        widen(text.size());
        m_store.add(text);
    }
    // With nothing kept, an amount's text is not made: its length is all a
    // document laid out to the widths wants, and the others want nothing. Its
    // characters are digits, signs, letters and the separator: Latin-1 where
    // the separator is.
    void addAmount(double value, AmountFormat& fmt) override {
        if (m_store.holds()) {
            widen(m_store.addAmount(value, fmt));
            return;
        }
        if (m_wantWidths) {
            widen(fmt.cellLength(value));
        } else {
            // The setting is read at the first amount all the same, so that a
            // bad one fails there.
            fmt.decimals();
            ++m_column;
        }
        m_store.skip(fmt.separator().unicode() <= 0xFF);
    }

    // With nothing kept and no widths wanted, a month's row is counted and
    // passed over whole.
    void addAmountRow(QStringView caption, std::span<const double> amounts,
                      AmountFormat& fmt) override {
        if (m_store.holds() || m_wantWidths) {
            ScheduleSink::addAmountRow(caption, amounts, fmt);
            return;
        }
        beginRow(caption);
        fmt.decimals();
        m_column += amounts.size();
        m_store.skip(fmt.separator().unicode() <= 0xFF);
    }

private:
    void widen(qsizetype length) {
        if (m_column < m_widths.size())
            m_widths[m_column] = std::max(m_widths[m_column], static_cast<int>(length));
        ++m_column;
    }

    std::vector<int>& m_widths;
    RowStore& m_store;
    bool m_wantWidths;
    std::size_t m_column = 0;
};

// The second run of the calculation, a few blocks of rows ahead of the
// writer: the calculation hands its rows on from inside one call, the writer
// asks for them one at a time. Its texts are Latin-1 (Unit char) where the
// first run's all were.
template <class Unit> class TScheduleTableExport::Rows {
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

    // Whether there is a next row, to read from current(); false after the
    // last one. Raises what the calculation raised.
    bool advance() {
        if (m_current.atEnd()) {
            m_current.clear();
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return !m_blocks.empty() || m_finished; });
            if (m_blocks.empty()) {
                if (m_error) std::rethrow_exception(m_error);
                return false;
            }
            std::swap(m_current, m_blocks.front());
            m_blocks.pop_front();
            m_changed.notify_all();
        }
        return true;
    }
    RowTexts<Unit>& current() { return m_current; }

private:
    // Rows travel in blocks of their texts: the writer's thread makes the
    // text objects it uses (and frees), none cross between the threads.
    static constexpr std::size_t BlockRows = 2048;
    static constexpr std::size_t MaxBlocks = 4;
    using Block = RowTexts<Unit>;
    struct Stopped {};

    class Feed final : public ScheduleSink {
    public:
        explicit Feed(Rows& rows)
            : m_rows(rows) {
            reserve();
        }
        void beginRow(QStringView caption) override {
            if (m_count == BlockRows) pass();
            ++m_count;
            m_block.beginRow();
            add(caption);
        }
        void addCell(QStringView text) override { add(text); }
        // Amounts go straight into an 8-bit block, without a text between.
        void addAmount(double value, AmountFormat& fmt) override {
            if constexpr (sizeof(Unit) == 1) {
                if (fmt.separator().unicode() <= 0xFF) {
                    m_block.addWritten(FixedTextCapacity,
                                       [&](char* to) { return fmt.cellTo(to, value); });
                    return;
                }
            }
            add(fmt.cell(value));
        }
        void addAmountRow(QStringView caption, std::span<const double> amounts,
                          AmountFormat& fmt) override {
            beginRow(caption);
            for (const double value : amounts)
                Feed::addAmount(value, fmt);
        }
        void finish() {
            if (m_count > 0) pass();
        }

    private:
        // The second run makes the texts of the first; any other is refused.
        void add(QStringView text) {
            if (!m_block.add(text))
                throw Exception(QStringLiteral("the schedule changed as it was written"));
        }
        void pass() {
            m_rows.push(std::move(m_block));
            reserve();
            m_count = 0;
        }
        void reserve() { m_block.reserve(BlockRows * RowStore::UsualRowBytes * sizeof(Unit)); }

        Rows& m_rows;
        Block m_block;
        std::size_t m_count = 0;
    };

    void push(Block block) {
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
    std::deque<Block> m_blocks;
    bool m_stop = false;
    bool m_finished = false;
    std::exception_ptr m_error;
    Block m_current;      // read by the writer only
    std::thread m_thread; // last: starts once the rest is there
};

TScheduleTableExport::TScheduleTableExport(QObject* owner)
    : TkxTableExport(owner) {}

TScheduleTableExport::~TScheduleTableExport() = default;

void TScheduleTableExport::measure(Calculation calculation, std::size_t expectedRows,
                                   bool wantWidths) {
    m_latin1Rows.reset();
    m_wideRows.reset();
    m_stored.reset();
    m_calculation = {};
    m_rowCount = 0;
    m_latin1 = false;
    std::vector<int> widths(static_cast<std::size_t>(GetColumnCount()), 0);
    auto store = std::make_unique<RowStore>();
    if (expectedRows > RowStore::Budget / RowStore::LeastRowBytes) store->drop();
    store->expect(expectedRows);
    Measure measure(widths, *store, wantWidths);
    calculation(measure);
    m_latin1 = store->latin1();
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

template <class Read> void TScheduleTableExport::readWantedRow(Read&& read) {
    const std::size_t wanted = RowIndex();
    if (wanted >= m_rowCount) return;
    if (m_stored) {
        if (wanted < m_nextRow) {
            m_stored->rewind();
            m_nextRow = 0;
        }
        for (; m_nextRow < wanted; ++m_nextRow)
            m_stored->texts().skipRow();
        read(m_stored->texts(), false);
        ++m_nextRow;
        return;
    }
    if (m_latin1)
        readRecomputed(m_latin1Rows, wanted, read);
    else
        readRecomputed(m_wideRows, wanted, read);
}

template <class Unit, class Read>
void TScheduleTableExport::readRecomputed(std::unique_ptr<Rows<Unit>>& rows, std::size_t wanted,
                                          Read& read) {
    // Rows are read in order; a reader that starts over starts the calculation over.
    if (!rows || wanted < m_nextRow) {
        rows.reset();
        rows = std::make_unique<Rows<Unit>>(m_calculation);
        m_nextRow = 0;
    }
    for (; m_nextRow <= wanted; ++m_nextRow) {
        if (!rows->advance())
            throw Exception(QStringLiteral("the schedule ended before its row %1").arg(wanted + 1));
        if (m_nextRow < wanted) rows->current().skipRow();
    }
    // The last row: the calculation's thread is not needed any longer, and
    // goes with the block the row lies in.
    const bool last = m_nextRow == m_rowCount;
    read(rows->current(), last);
    if (last) rows.reset();
}

void TScheduleTableExport::GetRowValues(TkxValues& Values) {
    const std::size_t columns = static_cast<std::size_t>(GetColumnCount());
    Values.resize(columns);
    // The cells go straight into the values; those the row lacks are empty.
    std::size_t filled = 0;
    const auto take = [&](std::uint32_t column, QString&& text) {
        if (column >= columns) return;
        Values[column] = TVariant(text);
        filled = column + 1;
    };
    readWantedRow([&](auto& texts, bool) { texts.readRow(take); });
    for (std::size_t c = filled; c < columns; ++c)
        Values[c] = TVariant(QString());
}

void TScheduleTableExport::GetRowTexts(QList<QLatin1StringView>& Texts) {
    Texts.clear();
    bool latin1 = true;
    readWantedRow([&](auto& texts, bool last) { latin1 = texts.readRow(Texts, m_narrow, last); });
    // The second run makes the texts of the first; any other is refused.
    if (!latin1)
        throw Exception(
            QStringLiteral("the schedule's row %1 changed as it was written").arg(RowIndex() + 1));
    Texts.resize(GetColumnCount());
}

int TScheduleTableExport::GetRowCount() {
    GotoFirstRow();
    return static_cast<int>(m_rowCount);
}

} // namespace twl
