// SPDX-License-Identifier: GPL-3.0-or-later
// The export run: naming the target, the frame around the document writer
// (events, progress, guard), delivery and viewing. Its windows are the
// widget layer's (kxExportDialogs.cpp), reached through TkxRunWindows.

#include "base/Exceptions.h"
#include "base/FileSave.h"
#include "base/Format.h"
#include "export/kxExport.h"
#include "export/kxExportConst.h"
#include "export/kxExportRunViewer.h"
#include "toolkit/ApplicationTitle.h"
#include "toolkit/Messages.h"

#include <QFileInfo>

#include <climits>

namespace twl {

namespace {

TkxWriterFactory& defaultFactorySlot() {
    static TkxWriterFactory factory;
    return factory;
}

// A refused overwrite ends the document without a reason to show.
struct SilentAbort {};

constexpr unsigned MaxTempNumber = 0xFFFF; // the unique numbers of temporary names

// The name with its extension replaced by `extension` (without dot), or the
// extension added when it has none. An extension that already equals it apart
// from letter case keeps the user's spelling.
QString withExtension(const QString& name, const QString& extension) {
    const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > slash) {
        if (name.mid(dot + 1).compare(extension, Qt::CaseInsensitive) == 0) return name;
        return name.left(dot + 1) + extension;
    }
    return name + QLatin1Char('.') + extension;
}

} // namespace

void kxSetDefaultWriterFactory(TkxWriterFactory factory) {
    defaultFactorySlot() = std::move(factory);
}

const TkxWriterFactory& kxDefaultWriterFactory() {
    return defaultFactorySlot();
}

// --- ExportData ---

QString TkxCustomExport::tempFileName(unsigned number, const QString& extension) const {
    QString dir = m_tempDir;
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    const QString name = dir + QStringLiteral("TWL") + QString::number(number, 16).toUpper() +
                         QStringLiteral(".TMP");
    return withExtension(name, extension);
}

void TkxCustomExport::forgetLastError() {
    m_lastErrorText.clear();
    m_lastErrorReason.clear();
    m_lastErrorFileName.clear();
}

void TkxCustomExport::ExportData() {
    forgetLastError();
    if (!IsSourceReady()) {
        m_lastErrorText = LoadResString(rs::SkxNoSource);
        reportError(xeNoSource);
        return;
    }
    PrepareSource();

    // Printing names no file: the pages go to the print preview.
    if (m_exportStyle == xsPrint && IsPageBased(m_exportType)) {
        PrintDocument();
        ReleaseSource();
        return;
    }

    // The clipboard type only fills the clipboard: it names, saves and opens no file.
    if (m_exportType == xtClipboard) {
        writeDocument(QString(), Delivery::Replace);
        ReleaseSource();
        return;
    }

    QString name = m_fileName;
    if (name.isEmpty() && m_exportStyle == xsFile) {
        m_lastErrorText = LoadResString(rs::SkxNoFileName);
        reportError(xeNoFileName);
        ReleaseSource();
        return;
    }
    QString extension;
    GetDefaultExtension(extension);
    if (OnGetExtension) OnGetExtension(this, extension);

    // A type without pages has nothing to print: it is shown instead.
    if (m_exportStyle != xsFile) {
        unsigned n = 1;
        while (n < MaxTempNumber && QFileInfo::exists(tempFileName(n, extension)))
            ++n;
        m_tempNumber = n;
        m_tempExtension = extension;
        name = tempFileName(n, extension);
        if (writeDocument(name, Delivery::CreateNew)) OpenDocument(m_writtenFileName);
    } else {
        name = withExtension(name, extension);
        writeDocument(name, Delivery::Replace);
    }
    ReleaseSource();
}

void TkxCustomExport::OpenDocument(const QString& FileName) {
    if (DocumentOpener) {
        DocumentOpener(FileName);
        return;
    }
    kxOpenInViewer(FileName, this, [this](const QString& name) {
        if (OnViewFailed) OnViewFailed(this, name);
    });
}

// --- The frame of WriteDocument ---

void TkxCustomExport::PrintDocument() {
    struct Printing {
        bool& flag;
        explicit Printing(bool& f)
            : flag(f) {
            flag = true;
        }
        ~Printing() { flag = false; }
    } printing(m_printing);
    // Printing names no file; a failure names the document by its caption,
    // where a nameless failure would read as one of the clipboard.
    writeDocument(m_messages->Caption, Delivery::Print);
}

void TkxCustomExport::WriteDocument(const QString& FileName) {
    writeDocument(FileName, Delivery::Replace);
}

void TkxCustomExport::reportError(TkxExportError error) {
    if (OnError) OnError(this, error);
}

bool TkxCustomExport::FetchRow(TkxValues& Values) {
    GetRowValues(Values);
    bool canExport = rowWanted();
    if (OnExport) OnExport(this, m_rowIndex, m_rowTotal, Values, canExport);
    stepProgress();
    return canExport;
}

bool TkxCustomExport::RowsAsTexts() {
    return !OnExport && HasRowTexts();
}

bool TkxCustomExport::FetchRowTexts(QList<QLatin1StringView>& Texts) {
    GetRowTexts(Texts);
    const bool canExport = rowWanted();
    stepProgress();
    return canExport;
}

bool TkxCustomExport::rowWanted() {
    return m_options.contains(xoSelectedRowsOnly) ? IsRowSelected(static_cast<int>(m_rowIndex))
                                                  : true;
}

void TkxCustomExport::stepProgress() {
    // The bar moves only when the change can show (a pixel of its width);
    // asking the bar at every row of a long table costs more than the export.
    if (m_windows && m_options.contains(xoShowProgress) && m_rowIndex % m_progressStep == 0)
        m_windows->stepProgress(static_cast<int>(qMin<std::uint32_t>(m_rowIndex, INT_MAX)));
}

void TkxCustomExport::RowDone(bool Written) {
    if (Written) ++m_writtenCount;
    ++m_rowIndex;
}

bool TkxCustomExport::writeDocument(const QString& FileName, Delivery delivery) {
    forgetLastError();
    m_writtenFileName.clear();
    if (OnBeginExport) OnBeginExport(this);
    m_rowTotal = static_cast<std::uint32_t>(GetRowCount());
    const bool showProgress = m_windows && m_options.contains(xoShowProgress);
    if (showProgress) m_progressStep = m_windows->beginProgress(*m_messages, m_rowTotal);

    // The progress window closes whatever happens below, an error of a handler included.
    struct CloseProgress {
        TkxRunWindows* windows;
        bool active;
        ~CloseProgress() {
            if (active) windows->endProgress();
        }
    } closeProgress{m_windows.get(), showProgress};

    bool earlyEnd = false;
    bool delivered = false;
    bool failed = false;
    const bool toClipboard = m_exportType == xtClipboard;
    try {
        // A view document is never written over an existing file (delivery
        // creates a new one), so there is nothing to ask about.
        if (!toClipboard && delivery == Delivery::Replace && !FileName.isEmpty() &&
            QFileInfo::exists(FileName)) {
            bool canOverWrite = true;
            if (OnFileExist) {
                // The question is never asked over a progress bar.
                if (showProgress) m_windows->hideForQuestion();
                OnFileExist(this, FileName, canOverWrite);
                if (showProgress && canOverWrite) m_windows->resumeAfterQuestion();
            }
            if (!canOverWrite) {
                reportError(xeFileExists);
                throw SilentAbort{};
            }
        }
        m_rowIndex = 0;
        m_writtenCount = 0;
        m_outputRow = 1;
        GotoFirstRow();
        if (GetColumnCount() == 0) {
            earlyEnd = true;
        } else {
            const TkxWriterFactory& factory =
                m_writerFactory ? m_writerFactory : kxDefaultWriterFactory();
            std::unique_ptr<TkxDocumentWriter> writer = factory ? factory(*this) : nullptr;
            if (!writer) throw Exception(LoadResString(rs::SkxNoWriter));
            ByteSink* sink =
                toClipboard || delivery != Delivery::Replace ? nullptr : m_documentSink;
            if (sink) writer->StreamTo(sink);
            const TkxDocument document = writer->Build(FileName);
            if (sink && !document.ToClipboard) {
                sink->write(document.Bytes);
                sink->commit();
                m_writtenFileName = FileName;
            } else {
                deliver(document, FileName, delivery);
            }
            delivered = true;
        }
    } catch (const SilentAbort&) {
        m_lastErrorText.clear();
        m_lastErrorFileName = FileName;
        failed = true;
    } catch (const Exception& e) {
        m_lastErrorText = e.message();
        if (const auto* save = dynamic_cast<const EFileSaveError*>(&e))
            m_lastErrorReason = save->reason();
        m_lastErrorFileName = toClipboard ? QString() : FileName;
        failed = true;
    } catch (const std::exception& e) {
        m_lastErrorText = QString::fromLocal8Bit(e.what());
        m_lastErrorFileName = toClipboard ? QString() : FileName;
        failed = true;
    }
    // A failure is told once the progress window is gone: a bar left on screen
    // under the message would look like a run nearly done.
    if (failed) {
        if (showProgress) m_windows->endProgress();
        reportError(xeWriteFailed);
    }
    if (showProgress) m_windows->endProgress();
    closeProgress.active = false;
    if (!earlyEnd && OnEndExport) OnEndExport(this);
    return delivered;
}

void TkxCustomExport::deliver(const TkxDocument& document, const QString& FileName,
                              Delivery delivery) {
    // The clipboard and the print preview are the windows' own: a process
    // without them has no writer for such a delivery.
    if (document.ToClipboard) {
        if (!m_windows) throw Exception(LoadResString(rs::SkxNoWriter));
        m_windows->copyToClipboard(document.ClipboardText);
        if (m_options.contains(xoClipboardMessage)) {
            // The notice is the run's last word: the progress window goes first.
            if (m_options.contains(xoShowProgress)) m_windows->endProgress();
            showMessage(MessageIcon::Information, applicationTitle(),
                        m_messages->CopiedToClipboard);
        }
        return;
    }
    if (delivery == Delivery::Print) {
        if (!document.Pages || !m_windows) throw Exception(LoadResString(rs::SkxNoWriter));
        m_windows->printPages(*document.Pages, m_messages->Caption);
        return;
    }
    if (delivery == Delivery::Replace) {
        saveFileAtomically(FileName, document.Bytes);
        m_writtenFileName = FileName;
        return;
    }
    // A view document goes into the shared temporary folder: it is created
    // exclusively, never through a file or link that appeared at its name;
    // a name taken by then moves on to the next number.
    QString name = FileName;
    for (unsigned n = m_tempNumber;; name = tempFileName(++n, m_tempExtension)) {
        if (writeNewFileExclusively(name, document.Bytes)) {
            m_writtenFileName = name;
            return;
        }
        if (n >= MaxTempNumber)
            throw EFCreateError(Format(LoadResString(rs::SkxNoMoreTempNames), {m_tempDir}));
    }
}

} // namespace twl
