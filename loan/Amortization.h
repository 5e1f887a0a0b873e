// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The amortization schedule: from the three input texts, a level-payment
// schedule streamed row by row to a sink. No window is involved, so the main
// window and a command-line host compute the same table.

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <span>
#include <utility>
#include <vector>

namespace twl {

class AmountFormat;

// Receives the table as it is built, cell by cell, so that rows appended
// before an error stay exactly as far as they got. A text is valid during
// the call alone: a sink that keeps it makes its own copy.
class ScheduleSink {
public:
    virtual ~ScheduleSink() = default;
    virtual void beginRow(QStringView caption) = 0;
    virtual void addCell(QStringView text) = 0;
    // An amount cell, fmt's text of the value; a sink that needs less than
    // the text (its length) may ask fmt for that alone.
    virtual void addAmount(double value, AmountFormat& fmt);
    // A whole row of a caption and amounts, as a month of the plain schedule
    // is: one call a row, for a sink that takes a row faster whole.
    virtual void addAmountRow(QStringView caption, std::span<const double> amounts,
                              AmountFormat& fmt);
};

// A sink that hands on each row whole once its last cell is known, and a
// partly built row when the calculation stops (when the sink goes away).
// The texts are valid during the call alone: the sink keeps them in one
// buffer it reuses, so a row costs no allocation here.
class RowSink : public ScheduleSink {
public:
    using Commit = std::function<void(QStringView caption, const QList<QStringView>& cells)>;
    explicit RowSink(Commit commit)
        : m_commit(std::move(commit)) {}
    ~RowSink() override { flush(); }
    void beginRow(QStringView caption) override;
    void addCell(QStringView text) override { add(text); }

private:
    void add(QStringView text);
    void flush();

    Commit m_commit;
    std::vector<char16_t> m_texts;
    // Each text's start and length; a null text has no start.
    std::vector<std::pair<qsizetype, qsizetype>> m_pieces;
    QList<QStringView> m_cells;
    bool m_open = false;
};

struct ScheduleInputs {
    QString amount; // loan amount P
    QString months; // number of monthly payments N
    QString rate;   // annual interest rate R in percent
};

// Labels of the inputs row (lines 98 to 102 of the main window's text list).
struct ScheduleLabels {
    QString caption;
    QString amount;
    QString months;
    QString rate;
    QString date;
};

struct ScheduleContext {
    // The "Decimal" setting's text, read once per calculation, at its first
    // amount cell.
    std::function<QString()> readDecimal;
    ScheduleLabels labels;
    QDate today;
    // Run the compound-factor loop of every month even where it provably
    // cannot fail, and test the fault flags after every formula (the reference
    // behaviour the fast paths are checked against).
    bool checkEveryStep = false;
};

// Appends the month rows, the summary row and the inputs row. Empty input
// texts append nothing. Errors (parse errors, floating-point faults, a bad
// "Decimal" setting) are raised as exceptions after the rows built so far.
void CalculateSchedule(const ScheduleInputs& inputs, const ScheduleContext& context,
                       ScheduleSink& sink);

} // namespace twl
