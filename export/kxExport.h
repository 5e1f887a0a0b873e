// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TkxCustomExport turns a table into a document of one of the types in the
// type table (export/kxExportTypeTable.cpp: HTML, the legacy workbook,
// Word/RTF, text, CSV, tab-separated, DIF, SYLK, the clipboard, XLSX, ODS,
// PDF). It reads the table only through the thirteen operations of the
// data-source contract, and the two beyond it that hand rows as Latin-1 texts,
// all virtual, which a descendant implements; TkxListViewExport implements
// them over a list view (kxListViewExport.h).
//
// The run (ExportData, the frame of WriteDocument) lives in kxExportRun.cpp;
// what needs the widget module (Execute and its format dialog, the progress
// window, the print preview) lives in kxExportDialogs.cpp and reaches the run
// through TkxRunWindows; the document writers live in export/writers and are
// reached through the writer factory of kxExportWriter.h.

#include "base/Variant.h"
#include "export/kxExportOptions.h"
#include "export/kxExportTypeTable.h"
#include "export/kxExportTypes.h"
#include "export/kxExportWindows.h"
#include "export/kxExportWriter.h"
#include "toolkit/Strings.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

namespace twl {

class TkxNativeExcel;
class Tfrm_ProgressForm;
class Tfrm_Selection;

class TkxCustomExport : public QObject {
    Q_OBJECT
    // Sets published as their bits, with the enumerations of their members.
    Q_CLASSINFO("set:ExportTypes", "TkxExportType")
    Q_CLASSINFO("set:Options", "TkxExportOptions")
    Q_PROPERTY(twl::TStrings* Captions READ Captions WRITE setCaptions)
    Q_PROPERTY(twl::TStrings* ColumnWidths READ ColumnWidths WRITE setColumnWidths)
    Q_PROPERTY(QString DateFormat READ DateFormat WRITE setDateFormat)
    Q_PROPERTY(QString TimeFormat READ TimeFormat WRITE setTimeFormat)
    Q_PROPERTY(QString DateTimeFormat READ DateTimeFormat WRITE setDateTimeFormat)
    Q_PROPERTY(twl::TkxExportEnums::TkxExportType ExportType READ ExportType WRITE setExportType)
    Q_PROPERTY(int ExportTypes READ exportTypeBits WRITE setExportTypeBits)
    Q_PROPERTY(
        twl::TkxExportEnums::TkxExportStyle ExportStyle READ ExportStyle WRITE setExportStyle)
    Q_PROPERTY(QString FileName READ FileName WRITE setFileName)
    Q_PROPERTY(twl::TkxHTMLOptions* HTML READ HTML)
    Q_PROPERTY(twl::TkxMessagesOptions* Messages READ Messages)
    Q_PROPERTY(QString TempDir READ TempDir WRITE setTempDir)
    Q_PROPERTY(QString TruncateSymbol READ TruncateSymbol WRITE setTruncateSymbol)
    Q_PROPERTY(QString RowNumberFormat READ RowNumberFormat WRITE setRowNumberFormat)
    Q_PROPERTY(twl::TkxRTFOptions* DOC_RTF READ DOC_RTF)
    Q_PROPERTY(twl::TkxExcelOptions* EXCEL READ EXCEL)
    Q_PROPERTY(int Options READ optionBits WRITE setOptionBits)
    Q_PROPERTY(QString Version READ Version WRITE setVersion)

public:
    // Owned objects are created here; `owner` frees the component (toolkit ownership).
    explicit TkxCustomExport(QObject* owner = nullptr);
    ~TkxCustomExport() override;

    // --- Published properties ---
    TStrings* Captions() const { return m_captions; }
    void setCaptions(const TStrings* v);
    TStrings* ColumnWidths() const { return m_columnWidths; }
    void setColumnWidths(const TStrings* v);
    QString DateFormat() const { return m_dateFormat; }
    void setDateFormat(const QString& v) { m_dateFormat = v; }
    QString TimeFormat() const { return m_timeFormat; }
    void setTimeFormat(const QString& v) { m_timeFormat = v; }
    QString DateTimeFormat() const { return m_dateTimeFormat; }
    void setDateTimeFormat(const QString& v) { m_dateTimeFormat = v; }
    // The current type is always a member of the offered types.
    TkxExportType ExportType() const { return m_exportType; }
    void setExportType(TkxExportType v);
    TkxExportTypeSet ExportTypes() const { return m_exportTypes; }
    void setExportTypes(TkxExportTypeSet v);
    TkxExportStyle ExportStyle() const { return m_exportStyle; }
    void setExportStyle(TkxExportStyle v) { m_exportStyle = v; }
    QString FileName() const { return m_fileName; }
    void setFileName(const QString& v) { m_fileName = v; }
    TkxHTMLOptions* HTML() const { return m_html; }
    TkxMessagesOptions* Messages() const { return m_messages; }
    QString TempDir() const { return m_tempDir; }
    // Stored only when its normalised form differs (ignoring case) from the current one.
    void setTempDir(const QString& v);
    // Whether TempDir holds a folder of its own: not when it is empty or names
    // the system's temporary folder.
    Q_INVOKABLE bool IsTempDirStored() const;
    QString TruncateSymbol() const { return m_truncateSymbol; }
    void setTruncateSymbol(const QString& v) { m_truncateSymbol = v; }
    QString RowNumberFormat() const { return m_rowNumberFormat; }
    // A text without "%d" is refused with a message box; the old one stays.
    void setRowNumberFormat(const QString& v);
    TkxRTFOptions* DOC_RTF() const { return m_docRtf; }
    TkxExcelOptions* EXCEL() const { return m_excel; }
    TkxExportOptionSet Options() const { return m_options; }
    void setOptions(TkxExportOptionSet v) { m_options = v; }
    // "2.37"; assignments are dropped.
    QString Version() const;
    void setVersion(const QString&) {}

    // --- Events ---
    TNotifyEvent OnBeginExport;
    TNotifyEvent OnEndExport;
    TEventOnGetExtension OnGetExtension;
    TEventOnError OnError;
    TEventOnExport OnExport;
    TEventOnGetHeader OnGetHeader;
    TEventOnGetFooter OnGetFooter;
    TEventOnFileExist OnFileExist;

    // --- The data-source contract, in its slot order. The abstract ones raise
    // EAbstractError here; a descendant that supplies a table overrides them.
    virtual void PrepareSource();
    virtual void ReleaseSource();
    virtual void GotoFirstRow();
    virtual TkxExcelAlignment GetColumnAlignment(int Index);
    virtual bool IsSourceReady();
    virtual bool IsEndOfRows();
    virtual bool IsColumnVisible(int Index);
    virtual bool IsRowSelected(int Index);
    virtual int GetColumnDataWidth(int Index);
    virtual void GetColumnCaption(int Index, QString& Caption);
    virtual int GetColumnCount();
    virtual void GetRowValues(TkxValues& Values);
    virtual int GetRowCount();
    // Beyond the contract: a source that holds its cells as Latin-1 texts
    // says so and hands the current row's as views, valid until the next row
    // is read, one for each column, where GetRowValues would give each as a
    // string value.
    virtual bool HasRowTexts();
    virtual void GetRowTexts(QList<QLatin1StringView>& Texts);

    // --- Operations ---
    // Format dialog, then naming and ExportData.
    void Execute();
    // One run with the current ExportType, ExportStyle and FileName.
    void ExportData();
    // One document to the file (or to the clipboard for xtClipboard).
    void WriteDocument(const QString& FileName);
    // The pages of a page-based type in the print preview, from which the
    // user prints them (ExportData with the print style comes here).
    void PrintDocument();
    // Whether the run in progress prints (page writers then hand over pages).
    bool IsPrinting() const { return m_printing; }
    // Whether a type lays out pages, so that it can be printed.
    static bool IsPageBased(TkxExportType Type);
    // Hands the file to the desktop's associated application.
    void OpenDocument(const QString& FileName);
    // Default extension of ExportType, without dot; unchanged for an unknown type.
    void GetDefaultExtension(QString& Extension) const;
    // "<filter text> (*.<ext>)|*.<EXT>" of ExportType.
    void GetSaveFilter(QString& Filter) const;
    // Handler of the format list's change and of both radio buttons' click.
    void SelectionChanged(QObject* Sender);
    // Paint handler of the format dialog's icon area.
    void PaintFormatIcon(QObject* Sender);

    // --- Run state, set afresh by every document ---
    std::uint32_t RowTotal() const { return m_rowTotal; }
    std::uint32_t RowIndex() const { return m_rowIndex; }
    std::uint32_t WrittenCount() const { return m_writtenCount; }
    std::int32_t OutputRow() const { return m_outputRow; }

    // --- For the document writers (export/writers) ---
    // Reads the current row, decides whether it is written (selected rows
    // only), raises OnExport and moves the progress bar. Returns CanExport.
    bool FetchRow(TkxValues& Values);
    // Whether the rows can be read as texts: the source has them, and no
    // OnExport handler wants to see (or change) the values.
    bool RowsAsTexts();
    // FetchRow for a document whose rows are read as texts.
    bool FetchRowTexts(QList<QLatin1StringView>& Texts);
    // After a row was written or skipped: RowIndex + 1, and WrittenCount + 1
    // when it was written.
    void RowDone(bool Written);
    // After every composed row (caption row included).
    void CountOutputRow() { ++m_outputRow; }
    QByteArray& DocumentBuffer() { return m_documentBuffer; }
    TkxNativeExcel* ExcelWriter() const { return m_excelWriter; }

    // --- Owned windows ---
    // The windows of the run; none in a process without the widget module.
    void setRunWindows(std::unique_ptr<TkxRunWindows> windows);
    TkxRunWindows* RunWindows() const { return m_windows.get(); }
    // The forms of the windows given by kxGiveWindows; nullptr without them.
    Tfrm_ProgressForm* ProgressForm() const;
    Tfrm_Selection* SelectionForm() const;

    // --- Host services ---
    // The writer factory of this component; empty means the default one.
    void setWriterFactory(TkxWriterFactory factory) { m_writerFactory = std::move(factory); }
    // Where WriteDocument delivers a document in place of saving it under its
    // file name (the command line's file or standard output): the writer
    // streams into it where it can, and the sink is committed at the end.
    // Null (the default): documents are saved as a whole.
    void setDocumentSink(ByteSink* sink) { m_documentSink = sink; }
    // Replaces the desktop's open action (tests capture the opened file).
    std::function<void(const QString& FileName)> DocumentOpener;
    // Raised, after the run, when nothing could open a viewed document; the
    // file stays where it was written.
    std::function<void(QObject* Sender, const QString& FileName)> OnViewFailed;
    // The reason of the last reported failure ("" when the user refused an
    // overwrite or nothing failed) and the file it concerned ("" for the clipboard).
    QString LastErrorText() const { return m_lastErrorText; }
    QString LastErrorFileName() const { return m_lastErrorFileName; }
    // The system's reason when the last failure was a save that the system
    // refused ("No space left on device"); empty otherwise.
    QString LastErrorReason() const { return m_lastErrorReason; }
    // The file that the last document was written to.
    QString WrittenFileName() const { return m_writtenFileName; }
    // Where the save dialog opens: a folder, or a file name it proposes;
    // empty means the program's folder.
    QString SaveDialogStart() const { return m_saveDialogStart; }
    void setSaveDialogStart(const QString& path) { m_saveDialogStart = path; }

    // The class name that interchange documents carry as their title: this
    // component's own, unless a host that stands in for another component
    // (a command-line export writing what the main window would) names that one.
    QString DocumentClassName() const;
    void setDocumentClassName(const QString& name) { m_documentClassName = name; }

    // The list-format entry of a type, and the fixed order of the format list.
    static QString ExportTypeText(TkxExportType Type);
    static const std::array<TkxExportType, kxExportTypeCount> FormatListOrder;
    // The format dialog's icon of a type.
    static int FormatIconIndex(int Type);
    // A folder text without one trailing separator, except a root.
    static QString NormalizeDir(const QString& Dir);
    // The system's temporary folder with its trailing separator.
    static QString SystemTempDir();

protected:
    void setRowIndex(std::uint32_t v) { m_rowIndex = v; }
    [[noreturn]] void AbstractError() const;

private:
    enum class Delivery { Replace, CreateNew, Print };
    bool writeDocument(const QString& FileName, Delivery delivery);
    // A new run starts with no failure to tell about.
    void forgetLastError();
    void deliver(const TkxDocument& document, const QString& FileName, Delivery delivery);
    void reportError(TkxExportError error);
    // Whether the current row is written: all are but with xoSelectedRowsOnly.
    bool rowWanted();
    void stepProgress();
    QString tempFileName(unsigned number, const QString& extension) const;
    bool showSaveDialog();

    int exportTypeBits() const { return m_exportTypes.bits(); }
    void setExportTypeBits(int v) {
        setExportTypes(TkxExportTypeSet::fromBits(static_cast<unsigned>(v)));
    }
    int optionBits() const { return m_options.bits(); }
    void setOptionBits(int v) {
        m_options = TkxExportOptionSet::fromBits(static_cast<unsigned>(v));
    }

    // Property fields and internal state in declaration order.
    std::unique_ptr<TkxRunWindows> m_windows;
    TStrings* m_captions = nullptr;
    TStrings* m_columnWidths = nullptr;
    QString m_dateFormat;
    QString m_timeFormat;
    QString m_dateTimeFormat;
    TkxExportType m_exportType = xtExcel;
    TkxExportTypeSet m_exportTypes;
    TkxExportStyle m_exportStyle = xsView;
    bool m_printing = false;
    QString m_fileName;
    TkxHTMLOptions* m_html = nullptr;
    TkxMessagesOptions* m_messages = nullptr;
    QString m_tempDir;
    QString m_truncateSymbol;
    QString m_rowNumberFormat;
    TkxRTFOptions* m_docRtf = nullptr;
    TkxExcelOptions* m_excel = nullptr;
    QByteArray m_documentBuffer;
    TkxExportOptionSet m_options;
    std::uint32_t m_versionNumber = 0;
    TkxNativeExcel* m_excelWriter = nullptr;
    std::int32_t m_outputRow = 0;
    std::uint32_t m_rowTotal = 0;
    std::uint32_t m_rowIndex = 0;
    std::uint32_t m_writtenCount = 0;

    TkxWriterFactory m_writerFactory;
    ByteSink* m_documentSink = nullptr;
    QMetaObject::Connection m_comboConnection;
    QString m_lastErrorText;
    QString m_lastErrorReason;
    QString m_lastErrorFileName;
    QString m_writtenFileName;
    QString m_saveDialogStart;
    QString m_documentClassName;
    // The number of the view run's temporary name, so that delivery can move on
    // to the next one when the name was taken in the meantime.
    unsigned m_tempNumber = 0;
    std::uint32_t m_progressStep = 1;
    QString m_tempExtension;
};

// The component bound to a list view: reads the view live at every call and
// changes nothing in it.
} // namespace twl
