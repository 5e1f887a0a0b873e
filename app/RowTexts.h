// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rows of texts kept in one buffer, without a text object per cell: the
// command line's table keeps its measured rows this way and passes rows
// between its threads this way.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <string_view>
#include <sys/mman.h>
#include <type_traits>
#include <utility>
#include <vector>

namespace twl {

// Rows as their texts in one buffer of Unit, without a text object per cell:
// each row is its cell count (four bytes), then each cell its length and
// characters. A length below Long takes one unit, a larger one Long and four
// bytes; Null stands for a null text. Read back row after row from the first.
template <class Unit> class RowTexts {
    using U = std::make_unsigned_t<Unit>;
    static constexpr int SizeUnits = 4 / static_cast<int>(sizeof(Unit));
    static constexpr int UnitBits = 8 * static_cast<int>(sizeof(Unit));

public:
    static constexpr unsigned Null = std::numeric_limits<U>::max();
    static constexpr unsigned Long = Null - 1;

    RowTexts() = default;
    // A table moved from is empty.
    RowTexts(RowTexts&& other) noexcept { *this = std::move(other); }
    RowTexts& operator=(RowTexts&& other) noexcept {
        m_units = std::move(other.m_units);
        m_capacity = std::exchange(other.m_capacity, 0);
        m_size = std::exchange(other.m_size, 0);
        m_row = std::exchange(other.m_row, 0);
        m_cells = std::exchange(other.m_cells, 0);
        m_reading = std::exchange(other.m_reading, 0);
        return *this;
    }

    void beginRow() {
        m_row = m_size;
        m_cells = 0;
        extend(SizeUnits);
        writeCount();
    }
    // False, appending nothing, for a character Unit cannot hold.
    bool add(QStringView text) {
        if (text.isNull()) {
            *extend(1) = static_cast<Unit>(Null);
        } else {
            const auto n = static_cast<std::uint32_t>(text.size());
            const std::size_t start = m_size;
            Unit* to = extend(1 + (n < Long ? 0 : SizeUnits) + static_cast<std::size_t>(n));
            if (n < Long) {
                *to++ = static_cast<Unit>(n);
            } else {
                *to++ = static_cast<Unit>(Long);
                for (int shift = 0; shift < 32; shift += UnitBits)
                    *to++ = static_cast<Unit>(n >> shift);
            }
            // Copied first, tested after: one pass the compiler can widen.
            const char16_t* from = text.utf16();
            char16_t all = 0;
            for (std::uint32_t i = 0; i < n; ++i) {
                all |= from[i];
                to[i] = static_cast<Unit>(from[i]);
            }
            if (sizeof(Unit) == 1 && all > 0xFF) {
                m_size = start;
                return false;
            }
        }
        ++m_cells;
        writeCount();
        return true;
    }
    // A text that write(to) writes at `to` and whose length it returns, at
    // most `most` units (below Long): made in place, without a copy.
    template <class Write> void addWritten(std::size_t most, Write&& write) {
        Unit* to = extend(1 + most);
        const auto n = static_cast<std::size_t>(write(to + 1));
        *to = static_cast<Unit>(n);
        m_size -= most - n;
        ++m_cells;
        writeCount();
    }
    // Whether every character of the text is Latin-1.
    static bool isLatin1(QStringView text) {
        char16_t all = 0;
        for (const char16_t c : std::u16string_view(text.utf16(), std::size_t(text.size())))
            all |= c;
        return all <= 0xFF;
    }
    std::size_t size() const { return m_size * sizeof(Unit); }
    bool empty() const { return m_size == 0; }
    void clear() {
        m_size = 0;
        m_reading = 0;
    }
    void release() {
        m_units.reset();
        m_capacity = 0;
        clear();
    }
    // Room for this many bytes of rows in all, taken now: a table that grows
    // within it is never copied. Untouched room costs no memory.
    void reserve(std::size_t bytes) { grow(bytes / sizeof(Unit)); }

    void rewind() { m_reading = 0; }
    bool atEnd() const { return m_reading >= m_size; }
    void readRow(QStringList& row) {
        row.clear();
        readRow([&row](std::uint32_t, QString&& text) { row.append(std::move(text)); });
    }
    // The next row's cells handed to take(index, text) one by one.
    template <class Take> void readRow(Take&& take) {
        visitRow([&](std::uint32_t i, const Unit* text, std::uint32_t n) {
            if (!text)
                take(i, QString());
            else if constexpr (sizeof(Unit) == 1)
                take(i, QString::fromLatin1(text, n));
            else
                take(i, QString(reinterpret_cast<const QChar*>(text), n));
        });
    }
    // The next row's cells as Latin-1 views, valid until the next read or
    // change of this table or of `narrow`. An 8-bit table's views point into
    // it, unless `copy`; a 16-bit table's texts are narrowed into `narrow`.
    // A null text gives a null view. False where a text is not Latin-1 (the
    // row is passed over all the same).
    bool readRow(QList<QLatin1StringView>& cells, std::vector<char>& narrow, bool copy = false) {
        if constexpr (sizeof(Unit) == 1) {
            if (!copy) {
                // Views into this table: the list sized once, then set in place.
                cells.resize(static_cast<qsizetype>(peekFixed()));
                QLatin1StringView* cell = cells.data();
                visitRow([&cell](std::uint32_t, const Unit* text, std::uint32_t n) {
                    *cell++ = text ? QLatin1StringView(text, static_cast<qsizetype>(n))
                                   : QLatin1StringView();
                });
                return true;
            }
        }
        cells.clear();
        // Sized first, so that no view is left behind by a reallocation.
        const std::size_t start = m_reading;
        narrow.resize(textUnits());
        m_reading = start;
        char* to = narrow.data();
        bool latin1 = true;
        visitRow([&](std::uint32_t, const Unit* text, std::uint32_t n) {
            if (!text) {
                cells.append(QLatin1StringView());
            } else {
                U all = 0;
                for (std::uint32_t k = 0; k < n; ++k) {
                    all |= static_cast<U>(text[k]);
                    to[k] = static_cast<char>(text[k]);
                }
                latin1 = latin1 && all <= 0xFF;
                cells.append(QLatin1StringView(to, static_cast<qsizetype>(n)));
                to += n;
            }
        });
        return latin1;
    }
    // Passes over the next row.
    void skipRow() { textUnits(); }

private:
    // The next row's cells handed to visit(index, text, length) one by one,
    // a null text as null.
    template <class Visit> void visitRow(Visit&& visit) {
        const std::uint32_t count = takeFixed();
        for (std::uint32_t i = 0; i < count; ++i) {
            const U first = static_cast<U>(m_units[m_reading++]);
            if (first == Null) {
                visit(i, nullptr, 0);
                continue;
            }
            const std::uint32_t n = first == Long ? takeFixed() : first;
            const Unit* text = m_units.get() + m_reading;
            m_reading += n;
            visit(i, text, n);
        }
    }
    // Passes over the next row, counting the units of its texts.
    std::size_t textUnits() {
        std::size_t units = 0;
        visitRow([&units](std::uint32_t, const Unit*, std::uint32_t n) { units += n; });
        return units;
    }
    // Room for n more units at the end; the buffer doubles when full.
    Unit* extend(std::size_t n) {
        if (m_size + n > m_capacity) grow(std::max(2 * m_capacity, m_size + n + 4096));
        Unit* at = m_units.get() + m_size;
        m_size += n;
        return at;
    }
    // A buffer of at least `capacity` units, left as it comes: a unit is
    // written before it is read, and a page is touched only when written.
    void grow(std::size_t capacity) {
        if (capacity <= m_capacity) return;
        std::unique_ptr<Unit[], Free> units(static_cast<Unit*>(allocate(capacity * sizeof(Unit))));
        if (!units) throw std::bad_alloc();
        if (m_size > 0) std::memcpy(units.get(), m_units.get(), m_size * sizeof(Unit));
        m_units = std::move(units);
        m_capacity = capacity;
    }
    void writeCount() {
        for (int i = 0; i < SizeUnits; ++i)
            m_units[m_row + static_cast<std::size_t>(i)] =
                static_cast<Unit>(m_cells >> (i * UnitBits));
    }
    // The next row's cell count, left to be read.
    std::uint32_t peekFixed() {
        const std::size_t at = m_reading;
        const std::uint32_t n = takeFixed();
        m_reading = at;
        return n;
    }
    std::uint32_t takeFixed() {
        std::uint32_t n = 0;
        for (int i = 0; i < SizeUnits; ++i)
            n |= static_cast<std::uint32_t>(static_cast<U>(m_units[m_reading++])) << (i * UnitBits);
        return n;
    }

    // Memory of a few megabytes is taken in huge pages where the system
    // gives them on request: a page fault for every 4 KB cost more than
    // writing the rows.
    static void* allocate(std::size_t bytes) {
        constexpr std::size_t Huge = std::size_t{2} << 20;
        if (bytes < Huge) return std::malloc(bytes);
        bytes = (bytes + Huge - 1) / Huge * Huge;
        void* p = std::aligned_alloc(Huge, bytes);
#ifdef MADV_HUGEPAGE
        if (p) ::madvise(p, bytes, MADV_HUGEPAGE);
#endif
        return p;
    }
    struct Free {
        void operator()(Unit* p) const { std::free(p); }
    };

    std::unique_ptr<Unit[], Free> m_units; // its first m_size units are the rows
    std::size_t m_capacity = 0;
    std::size_t m_size = 0;
    std::size_t m_row = 0;
    std::uint32_t m_cells = 0;
    std::size_t m_reading = 0;
};

} // namespace twl
