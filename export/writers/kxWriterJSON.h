// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// JSON data (.json): the table as one object, for programs rather than
// people. Numbers are JSON numbers (the shortest text that reads back as the
// same double), the table's dates ISO dates (YYYY-MM-DD), other cells
// strings and empty cells null:
//
//   {"title": ..., "header": [lines], "columns": [captions],
//    "rows": [{caption: value, ...}, ...],
//    "summary": [{"label": first cell, key: value, ...}, ...],
//    "footer": [lines]}
//
// The rows go out as they are made, so a long table costs no memory here.
// "rows" are the table's own rows (up to the last one that starts with a
// number), keyed by the column captions; "summary" the rows after them (the
// totals, the inputs, a plan's comparison, the cost of credit), where a
// "Label: value" cell is keyed by its label, an empty one left out and any
// other keyed by its column.

#include "export/writers/kxWriterGrid.h"

#include <vector>

namespace twl {

class TkxJSONWriter : public TkxGridWriter {
public:
    void BeginDocument(const QString& Title) override;
    void TextLine(const QString& Line) override;
    void BlankLine() override {}
    void TableRow(const std::vector<TkxGridCell>& Cells, bool IsHeader) override;
    void Footer(const QStringList& Lines) override;
    QByteArray EndDocument() override;
    QByteArray* StreamedBuffer() override { return &m_out; }

private:
    // Everything before the first row, once: the title, the header text and
    // the columns, which are all known by then.
    void openRows();
    void addRow(const std::vector<TkxGridCell>& Cells);
    // The key of column Index: its caption, or its number (from 1) where the
    // caption is empty, missing or already a key.
    QString columnKey(std::size_t Index) const;
    void appendRow(QByteArray& Out, const std::vector<TkxGridCell>& Cells);
    void appendSummaryRow(QByteArray& Out, const std::vector<TkxGridCell>& Cells) const;
    // A cell's text as a typed value: a number, an ISO date, a string or null.
    void appendValue(QByteArray& Out, const QString& Text) const;

    QString m_title;
    QStringList m_header;
    QStringList m_footer;
    bool m_inFooter = false;
    QStringList m_keys;
    // Each row's keys as JSON, made once: a schedule repeats them on every row.
    std::vector<QByteArray> m_encodedKeys;
    // The document's bytes not yet handed on.
    QByteArray m_out;
    bool m_opened = false;
    qint64 m_rowCount = 0;
    // Rows without a number since the last numbered row: table rows if
    // another numbered row follows, else the summary.
    std::vector<std::vector<TkxGridCell>> m_pending;
    std::vector<TkxDatePart> m_dateParts;
    QChar m_separator;
};

// Text as a JSON string, quotes included, UTF-8.
void kxAppendJSONString(QByteArray& Out, QStringView Text);
// A finite double as the shortest JSON number that reads back as it.
void kxAppendJSONNumber(QByteArray& Out, double Value);

} // namespace twl
