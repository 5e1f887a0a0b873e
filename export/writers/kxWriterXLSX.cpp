#include "export/writers/kxWriterXLSX.h"

#include "base/Exceptions.h"
#include "base/Font.h"
#include "base/Format.h"
#include "export/kxExport.h"
#include "export/writers/kxWriterConst.h"

#include <QFile>
#include <xlsxwriter.h>

namespace twl {

namespace {

constexpr std::uint32_t LastSheetRow = 1048576;
// Widths in characters, as the sheet counts them; long texts stop here.
constexpr int MaxColumnWidth = 60;

void check(lxw_error error) {
    if (error != LXW_NO_ERROR) throw Exception(QString::fromUtf8(lxw_strerror(error)));
}

// The number format that shows a value with Decimals digits after the point.
std::string decimalsFormat(int Decimals) {
    return Decimals <= 0 ? std::string("0")
                         : "0." + std::string(static_cast<std::size_t>(Decimals), '0');
}

} // namespace

TkxXLSXWriter::TkxXLSXWriter() = default;

TkxXLSXWriter::~TkxXLSXWriter() {
    // A run that failed half-way still frees the library's workbook.
    if (m_workbook) workbook_close(m_workbook);
}

void TkxXLSXWriter::BeginDocument(const QString& Title) {
    // The library writes to a file of its own; it is read back and removed.
    m_dir = std::make_unique<QTemporaryDir>();
    if (!m_dir->isValid()) throw Exception(m_dir->errorString());
    m_path = m_dir->filePath(QStringLiteral("document.xlsx"));
    const QByteArray path = QFile::encodeName(m_path);
    const QByteArray tmp = QFile::encodeName(m_dir->path());
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = const_cast<char*>(tmp.constData());
    m_workbook = workbook_new_opt(path.constData(), &options);
    if (!m_workbook) throw Exception(LoadResString(rs::SkxDocumentNotCreated));
    m_sheet = workbook_add_worksheet(m_workbook, nullptr);
    m_title = Title.toUtf8();
    lxw_doc_properties properties = {};
    properties.title = m_title.data();
    check(workbook_set_properties(m_workbook, &properties));
    m_text = newFormat(false);
    m_header = newFormat(true);
    m_numbers.clear();
    m_widths.clear();
    m_row = 0;
    m_firstRow = true;
}

lxw_format* TkxXLSXWriter::newFormat(bool Bold) {
    const TFont& font = Bold ? *ExcelOptions().HeaderFont() : *ExcelOptions().TableFont();
    lxw_format* format = workbook_add_format(m_workbook);
    const QByteArray name = font.Name().toUtf8();
    if (!name.isEmpty()) format_set_font_name(format, name.constData());
    if (font.Size() > 0) format_set_font_size(format, font.Size());
    if (Bold) format_set_bold(format);
    return format;
}

lxw_format* TkxXLSXWriter::numberFormat(int Decimals, bool Bold) {
    const int key = Bold ? -1 - Decimals : Decimals;
    auto it = m_numbers.find(key);
    if (it != m_numbers.end()) return it->second;
    lxw_format* format = newFormat(Bold);
    format_set_num_format(format, decimalsFormat(Decimals).c_str());
    format_set_align(format, LXW_ALIGN_RIGHT);
    return m_numbers.emplace(key, format).first->second;
}

void TkxXLSXWriter::nextRow() {
    if (!m_firstRow) ++m_row;
    m_firstRow = false;
    if (m_row >= LastSheetRow)
        throw Exception(Format(LoadResString(rs::SkxSheetFull), {int(LastSheetRow)}));
}

void TkxXLSXWriter::fitWidth(std::size_t Column, const QString& Text) {
    if (m_widths.size() <= Column) m_widths.resize(Column + 1, 0);
    m_widths[Column] =
        qMax(m_widths[Column], static_cast<int>(qMin<qsizetype>(Text.size(), MaxColumnWidth)));
}

void TkxXLSXWriter::TextLine(const QString& Line) {
    nextRow();
    check(worksheet_write_string(m_sheet, m_row, 0, Line.toUtf8().constData(), m_text));
}

void TkxXLSXWriter::BlankLine() {
    nextRow();
}

void TkxXLSXWriter::TableRow(const std::vector<TkxGridCell>& Cells, bool IsHeader) {
    nextRow();
    if (Cells.size() > LXW_COL_MAX)
        throw Exception(Format(LoadResString(rs::SkxSheetTooNarrow), {int(LXW_COL_MAX)}));
    for (std::size_t i = 0; i < Cells.size(); ++i) {
        const TkxGridCell& cell = Cells[i];
        const auto column = static_cast<lxw_col_t>(i);
        fitWidth(i, cell.Text);
        if (cell.IsNumber) {
            check(worksheet_write_number(m_sheet, m_row, column, cell.Value,
                                         numberFormat(cell.Decimals, IsHeader)));
        } else if (!cell.Text.isEmpty()) {
            check(worksheet_write_string(m_sheet, m_row, column, cell.Text.toUtf8().constData(),
                                         IsHeader ? m_header : m_text));
        }
    }
    // The caption row stays in view while the table scrolls.
    if (IsHeader) worksheet_freeze_panes(m_sheet, m_row + 1, 0);
}

QByteArray TkxXLSXWriter::EndDocument() {
    for (std::size_t i = 0; i < m_widths.size(); ++i) {
        const auto column = static_cast<lxw_col_t>(i);
        check(worksheet_set_column(m_sheet, column, column, m_widths[i] + 2.0, nullptr));
    }
    const lxw_error error = workbook_close(m_workbook);
    m_workbook = nullptr;
    check(error);
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) throw Exception(file.errorString());
    QByteArray bytes = file.readAll();
    file.close();
    m_dir.reset();
    return bytes;
}

} // namespace twl
