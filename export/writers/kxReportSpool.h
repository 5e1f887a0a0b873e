// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rows of a report, spooled to a temporary file as they arrive so that a
// table of any length costs the same memory, and read back in their order as
// often as the pages are painted. A row is written with one call and read
// into cells whose texts keep their storage from row to row.

#include "base/FileSaveTemporary.h"
#include "export/writers/kxWriterGrid.h"

#include <QByteArray>
#include <QFile>
#include <memory>
#include <vector>

namespace twl {

class TkxRowSpool {
public:
    // Throws Exception where the temporary file cannot be made.
    TkxRowSpool();

    // Keeps the cells' texts and alignments.
    void Append(const std::vector<TkxGridCell>& Cells);
    // After the last row: every row reaches the file.
    void Finish();
    qint64 Rows() const { return m_rows; }

    class Reader {
    public:
        explicit Reader(const TkxRowSpool& Spool);
        // The next row's texts and alignments into Cells.
        void Next(std::vector<TkxGridCell>& Cells);

    private:
        const char* take(qsizetype Bytes);
        QFile m_file;
        QByteArray m_buffer;
        qsizetype m_at = 0;
    };

private:
    std::unique_ptr<TemporaryFile> m_file;
    QByteArray m_row;
    qint64 m_rows = 0;
};

} // namespace twl
