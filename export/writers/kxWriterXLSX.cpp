// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxWriterXLSX.h"

#include "base/Exceptions.h"
#include "base/FileSaveTemporary.h"
#include "base/Font.h"
#include "base/Format.h"
#include "base/RegionalSettings.h"
#include "base/SharedLibrary.h"
#include "base/XmlText.h"
#include "export/kxExport.h"
#include "export/writers/kxWriterConst.h"
#include "export/writers/kxWriterGridDates.h"
#include "export/writers/kxXLSXSheet.h"

#include <QFile>
#include <QRegularExpression>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <xlsxwriter.h>

namespace twl {

namespace {

// The workbook library's functions, from the library opened with the first
// workbook: a run that writes none maps neither it nor what it brings.
struct WorkbookLibrary {
    SharedLibrary library{TWL_XLSXWRITER_LIBRARY};
    TWL_LIBRARY_FUNCTION(library, format_set_align);
    TWL_LIBRARY_FUNCTION(library, format_set_bold);
    TWL_LIBRARY_FUNCTION(library, format_set_font_name);
    TWL_LIBRARY_FUNCTION(library, format_set_font_size);
    TWL_LIBRARY_FUNCTION(library, format_set_num_format);
    TWL_LIBRARY_FUNCTION(library, lxw_format_get_xf_index);
    TWL_LIBRARY_FUNCTION(library, lxw_strerror);
    TWL_LIBRARY_FUNCTION(library, workbook_add_format);
    TWL_LIBRARY_FUNCTION(library, workbook_add_worksheet);
    TWL_LIBRARY_FUNCTION(library, workbook_close);
    TWL_LIBRARY_FUNCTION(library, workbook_new_opt);
    TWL_LIBRARY_FUNCTION(library, workbook_set_properties);
    TWL_LIBRARY_FUNCTION(library, worksheet_freeze_panes);
    TWL_LIBRARY_FUNCTION(library, worksheet_set_column);
    TWL_LIBRARY_FUNCTION(library, worksheet_set_footer);
    TWL_LIBRARY_FUNCTION(library, worksheet_set_header);
};

const WorkbookLibrary& workbookLibrary() {
    return functionTable<WorkbookLibrary>();
}

constexpr std::uint32_t LastSheetRow = 1048576;

// The sheet's deflate level, in CPU time and packed size against the
// library's level 6: 71,332 months at 12 % (13.9 MB of XML) take 0.07 s for
// 1.45 MB at level 2, 0.07 s for 1.79 MB at level 1, 0.09 s for 1.53 MB at
// level 3 and 0.23 s for 1.35 MB at level 6; 100,000 months at 1 % (19.7 MB)
// 0.09 s for 2.16 MB at level 2, 0.07 s for 2.29 MB at level 1 and 0.38 s
// for 1.91 MB at level 6.
constexpr int SheetLevel = 2;

// A cell format's index in the workbook's styles, given at its first use.
int style(lxw_format* Format) {
    return workbookLibrary().lxw_format_get_xf_index(Format);
}

void check(lxw_error error) {
    if (error != LXW_NO_ERROR)
        throw Exception(QString::fromUtf8(workbookLibrary().lxw_strerror(error)));
}

// The number format that shows a value with Decimals digits after the point,
// in the exponent form where the table's text has it.
std::string decimalsFormat(int Decimals, bool Scientific) {
    const std::string fixed = Decimals <= 0
                                  ? std::string("0")
                                  : "0." + std::string(static_cast<std::size_t>(Decimals), '0');
    return Scientific ? fixed + "E+00" : fixed;
}

// The date format that shows a date as the regional pattern does; every
// literal character escaped, so that none is read as a field.
std::string dateFormat(const std::vector<TkxDatePart>& Parts) {
    std::string format;
    for (const TkxDatePart& part : Parts) {
        // Names in English, as the table writes them, whatever the reader's language.
        if ((part.kind == TkxDatePart::DayName || part.kind == TkxDatePart::MonthName) &&
            format.rfind("[$-409]", 0) != 0)
            format.insert(0, "[$-409]");
        const auto width = static_cast<std::size_t>(part.width);
        switch (part.kind) {
        case TkxDatePart::Day:
        case TkxDatePart::DayName:
            format += std::string(width, 'd');
            break;
        case TkxDatePart::Month:
        case TkxDatePart::MonthName:
            format += std::string(width, 'm');
            break;
        case TkxDatePart::Year:
            format += "yyyy";
            break;
        case TkxDatePart::Text:
            for (QChar c : part.text)
                format += "\\" + QString(c).toStdString();
            break;
        }
    }
    return format;
}

// A date as the workbook's day number; only from 1 March 1900 on is that
// the same in every reader.
bool serialDay(const QDate& Date, double& Serial) {
    if (Date < QDate(1900, 3, 1) || Date.year() > 9999) return false;
    Serial = static_cast<double>(QDate(1899, 12, 30).daysTo(Date));
    return true;
}

// The library tells its failures on standard error as well as in its result:
// while it works, that goes nowhere, so that the user reads one message, ours.
class QuietStandardError {
public:
    QuietStandardError() {
        std::fflush(stderr);
        m_saved = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (m_saved >= 0 && null >= 0) ::dup2(null, STDERR_FILENO);
        if (null >= 0) ::close(null);
    }
    ~QuietStandardError() {
        if (m_saved < 0) return;
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int m_saved = -1;
};

// Whether the library's failure is one of its files in the temporary folder.
bool isFileError(lxw_error error) {
    switch (error) {
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return true;
    default:
        return false;
    }
}

// A page header or footer text: without a section code it stands in the
// centre, said explicitly so that every reader places it there.
QByteArray pageText(const QString& Text) {
    if (Text.isEmpty()) return {};
    static const QRegularExpression section(QStringLiteral("&[LCR]"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QString placed = Text.contains(section) ? Text : QStringLiteral("&C") + Text;
    return xmlCharacters(placed.left(255)).toUtf8();
}

} // namespace

TkxXLSXWriter::TkxXLSXWriter() = default;

TkxXLSXWriter::~TkxXLSXWriter() {
    // A run that failed half-way still frees the library's workbook.
    if (m_workbook) {
        const QuietStandardError quiet;
        workbookLibrary().workbook_close(m_workbook);
    }
}

void TkxXLSXWriter::BeginDocument(const QString& Title) {
    // The library writes to a file of its own, in a folder of ours that goes
    // however the run ends; the file is read back.
    m_dir = std::make_unique<TemporaryFolder>();
    m_path = m_dir->filePath("document.xlsx");
    QByteArray tmp = m_dir->path();
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = tmp.data();
    {
        const QuietStandardError quiet;
        errno = 0;
        m_workbook = workbookLibrary().workbook_new_opt(m_path.constData(), &options);
    }
    if (!m_workbook) {
        if (errno) m_dir->fail(errno);
        throw Exception(LoadResString(rs::SkxDocumentNotCreated));
    }
    {
        const QuietStandardError quiet;
        errno = 0;
        m_sheet = workbookLibrary().workbook_add_worksheet(m_workbook, nullptr);
    }
    // Its rows go to a file in the temporary folder.
    if (!m_sheet) m_dir->fail(errno);
    // The library escapes markup in these texts but passes every other
    // character on: one XML cannot hold would leave the workbook unreadable.
    m_title = xmlCharacters(Title).toUtf8();
    lxw_doc_properties properties = {};
    properties.title = m_title.data();
    // The program's current time, not the system clock's, so that a
    // workbook made under SOURCE_DATE_EPOCH is the same every time.
    properties.created = static_cast<time_t>(currentDateTime().toSecsSinceEpoch());
    check(workbookLibrary().workbook_set_properties(m_workbook, &properties));
    // The page header and footer of the legacy workbook's options (their
    // codes, such as &P for the page number, mean the same here), cut to the
    // 255 characters the format allows, as the legacy workbook cuts them.
    const QByteArray header = pageText(ExcelOptions().Header());
    const QByteArray footer = pageText(ExcelOptions().Footer());
    if (!header.isEmpty())
        check(workbookLibrary().worksheet_set_header(m_sheet, header.constData()));
    if (!footer.isEmpty())
        check(workbookLibrary().worksheet_set_footer(m_sheet, footer.constData()));
    m_rows = std::make_unique<TkxXLSXSheetRows>(SheetLevel);
    m_text = newFormat(false);
    m_header = newFormat(true);
    m_numbers.clear();
    m_date = nullptr;
    m_row = 0;
    m_firstRow = true;
}

lxw_format* TkxXLSXWriter::newFormat(bool Bold) {
    const TFont& font = Bold ? *ExcelOptions().HeaderFont() : *ExcelOptions().TableFont();
    lxw_format* format = workbookLibrary().workbook_add_format(m_workbook);
    const QByteArray name = xmlCharacters(font.Name()).toUtf8();
    if (!name.isEmpty()) workbookLibrary().format_set_font_name(format, name.constData());
    if (font.Size() > 0) workbookLibrary().format_set_font_size(format, font.Size());
    if (Bold) workbookLibrary().format_set_bold(format);
    return format;
}

lxw_format* TkxXLSXWriter::numberFormat(int Decimals, bool Scientific, bool Bold) {
    const int shape = Scientific ? 1000 + Decimals : Decimals;
    const int key = Bold ? -1 - shape : shape;
    auto it = m_numbers.find(key);
    if (it != m_numbers.end()) return it->second;
    lxw_format* format = newFormat(Bold);
    workbookLibrary().format_set_num_format(format, decimalsFormat(Decimals, Scientific).c_str());
    workbookLibrary().format_set_align(format, LXW_ALIGN_RIGHT);
    return m_numbers.emplace(key, format).first->second;
}

lxw_format* TkxXLSXWriter::dateCellFormat() {
    if (!m_date) {
        m_date = newFormat(false);
        const std::string format = dateFormat(kxDateParts(regionalSettings().shortDateFormat));
        workbookLibrary().format_set_num_format(m_date, format.c_str());
    }
    return m_date;
}

void TkxXLSXWriter::nextRow() {
    if (!m_firstRow) ++m_row;
    m_firstRow = false;
    if (m_row >= LastSheetRow)
        throw Exception(Format(LoadResString(rs::SkxSheetFull), {int(LastSheetRow)}));
}

void TkxXLSXWriter::TextLine(const QString& Line) {
    nextRow();
    m_rows->beginRow(m_row);
    if (!m_rows->text(0, Line, style(m_text))) check(LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED);
    m_rows->endRow();
}

void TkxXLSXWriter::BlankLine() {
    nextRow();
}

void TkxXLSXWriter::TableRow(const std::vector<TkxGridCell>& Cells, bool IsHeader) {
    nextRow();
    if (Cells.size() > LXW_COL_MAX)
        throw Exception(Format(LoadResString(rs::SkxSheetTooNarrow), {int(LXW_COL_MAX)}));
    m_rows->beginRow(m_row);
    for (std::size_t i = 0; i < Cells.size(); ++i) {
        const TkxGridCell& cell = Cells[i];
        const auto column = static_cast<lxw_col_t>(i);
        if (cell.IsNumber) {
            m_rows->number(column, cell.Value,
                           style(numberFormat(cell.Decimals, cell.Scientific, IsHeader)));
        } else if (double serial = 0; cell.IsDate && serialDay(cell.Date, serial)) {
            m_rows->number(column, serial, style(dateCellFormat()));
        } else if (!cell.Text.isEmpty() &&
                   !m_rows->text(column, cell.Text, style(IsHeader ? m_header : m_text))) {
            check(LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED);
        }
    }
    m_rows->endRow();
    // The caption row stays in view while the table scrolls.
    if (IsHeader) workbookLibrary().worksheet_freeze_panes(m_sheet, m_row + 1, 0);
}

QByteArray TkxXLSXWriter::EndDocument() {
    const std::vector<int>& widths = ColumnChars();
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const auto column = static_cast<lxw_col_t>(i);
        check(workbookLibrary().worksheet_set_column(m_sheet, column, column, widths[i] + 2.0,
                                                     nullptr));
    }
    // The library writes the sheet's frame with the extent of our rows; they
    // go into its data when the package is made.
    if (m_rows->hasCells()) {
        m_sheet->dim_rowmin = m_rows->firstRow();
        m_sheet->dim_rowmax = m_rows->lastRow();
        m_sheet->dim_colmin = m_rows->firstColumn();
        m_sheet->dim_colmax = m_rows->lastColumn();
    }
    // The library does not check the writes of the rows' file: a full
    // temporary folder would leave rows out of a workbook it calls written.
    if (FILE* rows = m_sheet->optimize_tmpfile) {
        errno = 0;
        if (std::fflush(rows) != 0 || std::ferror(rows)) m_dir->fail(errno);
    }
    lxw_error error;
    {
        const QuietStandardError quiet;
        errno = 0;
        error = workbookLibrary().workbook_close(m_workbook);
    }
    const int reason = errno;
    m_workbook = nullptr;
    if (isFileError(error)) m_dir->fail(reason);
    check(error);
    QByteArray bytes = m_rows->package(m_path);
    m_rows.reset();
    m_dir.reset();
    return bytes;
}

} // namespace twl
