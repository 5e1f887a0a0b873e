// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Excel workbook (.xlsx): one worksheet, amounts as numbers in the
// table's decimals. The library writes the workbook in its constant-memory
// mode; the sheet's rows are composed as it writes them and packed apart.

#include "export/writers/kxWriterGrid.h"

#include <map>
#include <memory>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace twl {

class TemporaryFolder;
class TkxXLSXSheetRows;

class TkxXLSXWriter : public TkxGridWriter {
public:
    TkxXLSXWriter();
    ~TkxXLSXWriter() override;

    void BeginDocument(const QString& Title) override;
    void TextLine(const QString& Line) override;
    void BlankLine() override;
    void TableRow(const std::vector<TkxGridCell>& Cells, bool IsHeader) override;
    QByteArray EndDocument() override;

private:
    lxw_format* numberFormat(int Decimals, bool Scientific, bool Bold);
    lxw_format* dateCellFormat();
    lxw_format* newFormat(bool Bold);
    void nextRow();

    std::unique_ptr<TemporaryFolder> m_dir;
    // The sheet's rows, composed and packed apart from the library.
    std::unique_ptr<TkxXLSXSheetRows> m_rows;
    QByteArray m_path;
    lxw_workbook* m_workbook = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    lxw_format* m_text = nullptr;
    lxw_format* m_header = nullptr;
    std::map<int, lxw_format*> m_numbers;
    lxw_format* m_date = nullptr;
    std::uint32_t m_row = 0;
    bool m_firstRow = true;
    QByteArray m_title;
};

} // namespace twl
