// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/kxExport.h"

#include "base/ClassName.h"

#include "base/BaseConsts.h"
#include "base/Exceptions.h"
#include "base/Format.h"
#include "base/RegionalSettings.h"
#include "biff/kxNativeExcel.h"
#include "export/kxExportConst.h"
#include "export/kxExportTypeTable.h"
#include "toolkit/ApplicationTitle.h"
#include "toolkit/Component.h"
#include "toolkit/Messages.h"
#include "toolkit/ToolkitConsts.h"

#include <QCoreApplication>
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

bool TkxCustomExport::IsPageBased(TkxExportType Type) {
    const TkxExportTypeRow* row = kxExportTypeRow(Type);
    return row && row->PageBased;
}

void TkxCustomExport::setRunWindows(std::unique_ptr<TkxRunWindows> windows) {
    m_windows = std::move(windows);
}

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
}

TkxCustomExport::~TkxCustomExport() {
    m_windows.reset();
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
    showMessage(MessageIcon::Critical, LoadResString(rs::SMsgDlgError),
                LoadResString(rs::SkxRowNumberFormat));
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

} // namespace twl
