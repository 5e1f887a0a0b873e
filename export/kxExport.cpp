// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/kxExport.h"

#include "base/ClassName.h"

#include "base/BaseConsts.h"
#include "base/Exceptions.h"
#include "base/Format.h"
#include "base/RegionalSettings.h"
#include "biff/kxNativeExcel.h"
#include "export/kxExportConst.h"
#include "export/kxExportProgress.h"
#include "export/kxExportSelect.h"
#include "export/kxExportTypeTable.h"
#include "toolkit/ApplicationTitle.h"
#include "toolkit/Component.h"
#include "toolkit/ListView.h"
#include "toolkit/ModalGuard.h"
#include "toolkit/ToolkitConsts.h"

#include <QApplication>
#include <QDir>

namespace twl {

namespace {
constexpr std::uint32_t kxVersionNumber = 0x0225; // 2.37

bool isSeparator(QChar c) {
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}
} // namespace

namespace {
std::array<TkxExportType, kxExportTypeCount> listOrder() {
    std::array<TkxExportType, kxExportTypeCount> order{};
    for (int i = 0; i < kxExportTypeCount; ++i)
        order[static_cast<std::size_t>(i)] = kxExportTypeRows()[i].Type;
    return order;
}
} // namespace

const std::array<TkxExportType, kxExportTypeCount> TkxCustomExport::FormatListOrder = listOrder();

TkxCustomExport::TkxCustomExport(QObject* owner)
    : QObject(owner) {
    // A non-visual component: its owner frees it, as its Qt parent.
    if (owner) setOwner(this, owner);
    m_versionNumber = kxVersionNumber;
    m_exportTypes = kxDesignExportTypes;
    m_options = {xoClipboardMessage, xoFooterLine,   xoHeaderLine,   xoShowExportDate,
                 xoShowHeader,       xoShowProgress, xoUseAlignments};
    m_captions = new TStrings(this);
    m_columnWidths = new TStrings(this);
    m_fileName.clear();
    m_exportType = xtExcel;
    m_exportStyle = xsView;
    m_truncateSymbol = QStringLiteral("...");
    m_tempDir = SystemTempDir();
    m_html = new TkxHTMLOptions(this);
    m_html->setObjectName(QStringLiteral("HTML"));
    m_docRtf = new TkxRTFOptions(this);
    m_docRtf->setObjectName(QStringLiteral("DOC_RTF"));
    m_messages = new TkxMessagesOptions(this);
    m_messages->setObjectName(QStringLiteral("Messages"));
    m_rowNumberFormat = QStringLiteral("%d");
    const RegionalSettings& regional = regionalSettings();
    m_dateFormat = regional.shortDateFormat;
    m_timeFormat = regional.shortTimeFormat;
    m_dateTimeFormat = regional.shortDateFormat + QLatin1Char(' ') + regional.shortTimeFormat;
    m_documentBuffer.clear();
    m_excel = new TkxExcelOptions(this);
    m_excel->setObjectName(QStringLiteral("EXCEL"));
    m_excelWriter = new TkxNativeExcel(this);
    setOwner(m_excelWriter, this);
    // A process without the widget module (the command line writing a
    // document that needs no fonts) has no windows: the run shows no progress.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    m_progressForm = new Tfrm_ProgressForm;
    m_selectionForm = new Tfrm_Selection;
    m_selectionForm->IconImage->OnPaint = [this](QObject* sender) { PaintFormatIcon(sender); };
}

TkxCustomExport::~TkxCustomExport() {
    if (m_selectionForm) m_selectionForm->IconImage->OnPaint = nullptr;
    delete m_selectionForm;
    delete m_progressForm;
    delete m_excel;
    delete m_excelWriter;
    delete m_captions;
    delete m_columnWidths;
    delete m_html;
    delete m_docRtf;
    delete m_messages;
    m_documentBuffer = QByteArray();
}

void TkxCustomExport::setCaptions(const TStrings* v) {
    if (v && v != m_captions) m_captions->Assign(*v);
}

void TkxCustomExport::setColumnWidths(const TStrings* v) {
    if (v && v != m_columnWidths) m_columnWidths->Assign(*v);
}

void TkxCustomExport::setExportType(TkxExportType v) {
    if (v != m_exportType) m_exportType = v;
    m_exportTypes = m_exportTypes.with(m_exportType);
}

void TkxCustomExport::setExportTypes(TkxExportTypeSet v) {
    if (!(v == m_exportTypes)) m_exportTypes = v;
    m_exportTypes = m_exportTypes.with(m_exportType);
}

QString TkxCustomExport::NormalizeDir(const QString& Dir) {
    if (Dir.size() < 2) return Dir;
    const bool driveRoot = Dir.size() == 3 && Dir.at(0).isLetter() && Dir.at(0).unicode() < 128 &&
                           Dir.at(1) == QLatin1Char(':') && isSeparator(Dir.at(2));
    if (driveRoot || !isSeparator(Dir.back())) return Dir;
    return Dir.left(Dir.size() - 1);
}

QString TkxCustomExport::SystemTempDir() {
    return QDir::tempPath() + QLatin1Char('/');
}

void TkxCustomExport::setTempDir(const QString& v) {
    if (NormalizeDir(v).compare(NormalizeDir(m_tempDir), Qt::CaseInsensitive) != 0) m_tempDir = v;
}

bool TkxCustomExport::IsTempDirStored() const {
    if (m_tempDir.isEmpty()) return false;
    return NormalizeDir(m_tempDir).compare(NormalizeDir(SystemTempDir()), Qt::CaseInsensitive) != 0;
}

void TkxCustomExport::setRowNumberFormat(const QString& v) {
    if (v.contains(QLatin1String("%d"))) {
        m_rowNumberFormat = v;
        return;
    }
    showMessageBox(QMessageBox::Critical, LoadResString(rs::SMsgDlgError),
                   LoadResString(rs::SkxRowNumberFormat), messageParent());
}

QString TkxCustomExport::Version() const {
    return Format(QStringLiteral("%d.%d"),
                  {int((m_versionNumber >> 8) & 0xFF), int(m_versionNumber & 0xFF)});
}

// --- The data-source contract ---

void TkxCustomExport::AbstractError() const {
    throw EAbstractError(LoadResString(rs::SAbstractError));
}

void TkxCustomExport::PrepareSource() {}
void TkxCustomExport::ReleaseSource() {}
void TkxCustomExport::GotoFirstRow() {
    AbstractError();
}
TkxExcelAlignment TkxCustomExport::GetColumnAlignment(int) {
    return eaGeneral;
}
bool TkxCustomExport::IsSourceReady() {
    AbstractError();
}
bool TkxCustomExport::IsEndOfRows() {
    AbstractError();
}
bool TkxCustomExport::IsColumnVisible(int) {
    AbstractError();
}
bool TkxCustomExport::IsRowSelected(int) {
    AbstractError();
}
int TkxCustomExport::GetColumnDataWidth(int) {
    AbstractError();
}
void TkxCustomExport::GetColumnCaption(int, QString&) {
    AbstractError();
}
int TkxCustomExport::GetColumnCount() {
    AbstractError();
}
void TkxCustomExport::GetRowValues(TkxValues&) {
    AbstractError();
}
int TkxCustomExport::GetRowCount() {
    AbstractError();
}
bool TkxCustomExport::HasRowTexts() {
    return false;
}
void TkxCustomExport::GetRowTexts(QList<QLatin1StringView>&) {
    AbstractError();
}

// --- Types ---

QString TkxCustomExport::ExportTypeText(TkxExportType Type) {
    const TkxExportTypeRow* row = kxExportTypeRow(Type);
    return row ? LoadResString(row->Entry) : QString();
}

int TkxCustomExport::FormatIconIndex(int Type) {
    const TkxExportTypeRow* row = kxExportTypeRow(Type);
    return row ? row->Icon : 0;
}

void TkxCustomExport::GetDefaultExtension(QString& Extension) const {
    if (m_exportType == xtHTML && m_html->Extension() == exHTM) {
        Extension = QStringLiteral("HTM");
        return;
    }
    const TkxExportTypeRow* row = kxExportTypeRow(m_exportType);
    if (row) Extension = QLatin1String(row->Extension);
}

void TkxCustomExport::GetSaveFilter(QString& Filter) const {
    const TkxExportTypeRow* row = kxExportTypeRow(m_exportType);
    QString text;
    if (row && row->FilterProperty)
        text = m_messages->DocumentFilter()->property(row->FilterProperty).toString();
    QString ext;
    GetDefaultExtension(ext);
    Filter = Format(QStringLiteral("%s (*.%s)|*.%s"), {text, ext.toLower(), ext});
}

// --- The list-view source ---

QString TkxCustomExport::DocumentClassName() const {
    return m_documentClassName.isEmpty() ? unqualifiedClassName(this) : m_documentClassName;
}

TkxListViewExport::TkxListViewExport(QObject* owner)
    : TkxCustomExport(owner) {
    m_listView = nullptr;
    Messages()->Caption = LoadResString(rs::SkxListViewCaption);
}

TkxListViewExport::~TkxListViewExport() {
    m_listView = nullptr;
}

TListView* TkxListViewExport::ListView() const {
    return m_listView.data();
}

void TkxListViewExport::setListView(TListView* v) {
    m_listView = v;
    m_widthCache.clear();
}

void TkxListViewExport::GotoFirstRow() {
    setRowIndex(0);
}

bool TkxListViewExport::IsSourceReady() {
    return !m_listView.isNull();
}

bool TkxListViewExport::IsEndOfRows() {
    // "At or past": rows removed during a run end it instead of reading past the end.
    return !m_listView || RowIndex() >= static_cast<std::uint32_t>(m_listView->itemCount());
}

bool TkxListViewExport::IsColumnVisible(int) {
    return true;
}

bool TkxListViewExport::IsRowSelected(int Index) {
    if (!m_listView || Index < 0 || Index >= m_listView->itemCount())
        throw EListError(Format(LoadResString(rs::SListIndexError), {Index}));
    return m_listView->item(Index).selected;
}

QString TkxListViewExport::cell(int row, int column) const {
    if (row < 0 || row >= m_listView->itemCount())
        throw EListError(Format(LoadResString(rs::SListIndexError), {row}));
    const TListItemData& item = m_listView->item(row);
    if (column == 0) return item.caption();
    if (column - 1 >= item.subItemCount())
        throw EListError(Format(LoadResString(rs::SListIndexError), {column - 1}));
    return item.subItem(column - 1);
}

void TkxListViewExport::dropCacheIfStale() {
    if (m_cacheRevision != m_listView->revision()) {
        m_widthCache.clear();
        m_cacheRevision = m_listView->revision();
    }
}

int TkxListViewExport::GetColumnDataWidth(int Index) {
    if (!m_listView || Index < 0 || Index >= GetColumnCount()) return 0;
    // The writers ask at every cell; a scan per call would make an export
    // quadratic in the number of rows.
    dropCacheIfStale();
    if (m_widthCache.size() != static_cast<std::size_t>(GetColumnCount()))
        m_widthCache.assign(static_cast<std::size_t>(GetColumnCount()), -1);
    int& cached = m_widthCache[static_cast<std::size_t>(Index)];
    if (cached < 0) {
        qsizetype width = 0;
        const int count = m_listView->itemCount();
        for (int row = 0; row < count; ++row)
            width = qMax(width, cell(row, Index).size());
        cached = static_cast<int>(width);
    }
    return cached;
}

void TkxListViewExport::GetColumnCaption(int Index, QString& Caption) {
    Caption.clear();
    if (m_listView && Index >= 0 && Index < GetColumnCount())
        Caption = m_listView->Columns()->column(Index)->Caption();
}

int TkxListViewExport::GetColumnCount() {
    return m_listView ? m_listView->Columns()->Count() : 0;
}

void TkxListViewExport::GetRowValues(TkxValues& Values) {
    const int count = GetColumnCount();
    Values.resize(static_cast<std::size_t>(count));
    const int row = static_cast<int>(RowIndex());
    for (int i = 0; i < count; ++i)
        Values[static_cast<std::size_t>(i)] = TVariant(cell(row, i));
}

int TkxListViewExport::GetRowCount() {
    GotoFirstRow();
    return m_listView ? m_listView->itemCount() : 0;
}

} // namespace twl
