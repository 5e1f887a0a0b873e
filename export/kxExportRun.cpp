// SPDX-License-Identifier: GPL-3.0-or-later
// The export run: the format dialog, naming the target, the frame around the
// document writer (events, progress window, guard), delivery and viewing.

#include "base/Exceptions.h"
#include "base/FileSave.h"
#include "base/Format.h"
#include "export/kxExport.h"
#include "export/kxExportConst.h"
#include "export/kxExportProgress.h"
#include "export/kxExportRunViewer.h"
#include "export/kxExportSelect.h"
#include "toolkit/ApplicationTitle.h"
#include "toolkit/ModalGuard.h"

#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

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

// "Name (*.ext)|*.EXT" to a filter the file dialog understands; Linux file
// names are case-sensitive, so both spellings of the pattern are offered.
QString dialogFilter(const QString& filter) {
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    if (bar < 0) return filter;
    QString text = filter.left(bar);
    const QString pattern = filter.mid(bar + 1);
    const qsizetype open = text.lastIndexOf(QLatin1Char('('));
    const qsizetype close = text.lastIndexOf(QLatin1Char(')'));
    if (open >= 0 && close > open) {
        const QStringList shown =
            text.mid(open + 1, close - open - 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (!shown.contains(pattern)) text.insert(close, QLatin1Char(' ') + pattern);
        return text;
    }
    return text + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

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

// --- Execute and the format dialog ---

void TkxCustomExport::Execute() {
    Tfrm_Selection* dlg = m_selectionForm;
    if (!dlg) return; // no widget module: no dialog to show
    dlg->setWindowTitle(m_messages->Caption);
    dlg->btn_Selection->setText(m_messages->ExportCaption);
    dlg->btn_Cancel->setText(m_messages->CancelCaption);
    dlg->GroupBox->setTitle(QLatin1Char(' ') + m_messages->SelectFormat + QLatin1Char(' '));

    QObject::disconnect(m_comboConnection);
    m_comboConnection = connect(dlg->SelectionCombo, &QComboBox::currentIndexChanged, this,
                                [this] { SelectionChanged(m_selectionForm->SelectionCombo); });

    setExportTypes(m_exportTypes);

    // Filling the list is not a user's change: no handler runs meanwhile.
    {
        const QSignalBlocker block(dlg->SelectionCombo);
        dlg->SelectionCombo->clear();
        for (TkxExportType type : FormatListOrder) {
            if (!m_exportTypes.contains(type)) continue;
            dlg->SelectionCombo->addItem(ExportTypeText(type));
            if (type == m_exportType)
                dlg->SelectionCombo->setCurrentIndex(dlg->SelectionCombo->count() - 1);
        }
        dlg->SelectionCombo->setMaxVisibleItems(qMax(1, dlg->SelectionCombo->count()));
    }

    for (QRadioButton* rdo : {dlg->rdo_View, dlg->rdo_File, dlg->rdo_Print}) {
        rdo->disconnect(this);
        connect(rdo, &QRadioButton::clicked, this, [this, rdo] { SelectionChanged(rdo); });
    }
    dlg->rdo_View->setProperty("Tag", Tfrm_Selection::ViewTag);
    dlg->rdo_View->setText(m_messages->ViewOnly);
    dlg->rdo_File->setProperty("Tag", Tfrm_Selection::FileTag);
    dlg->rdo_File->setText(m_messages->ExportToFile);
    dlg->rdo_Print->setProperty("Tag", Tfrm_Selection::PrintTag);
    dlg->rdo_Print->setText(m_messages->PrintCaption);
    if (m_exportStyle == xsPrint) {
        dlg->rdo_Print->setChecked(true);
        SelectionChanged(dlg->rdo_Print);
    } else if (m_exportStyle == xsView) {
        dlg->rdo_View->setChecked(true);
        SelectionChanged(dlg->rdo_View);
    } else {
        dlg->rdo_File->setChecked(true);
        SelectionChanged(dlg->rdo_File);
    }

    SelectionChanged(dlg->SelectionCombo);

    if (execModal(*dlg) != QDialog::Accepted) return;

    // The clipboard type names no file, so it needs no save dialog.
    if (m_exportType != xtClipboard && m_fileName.isEmpty() && m_exportStyle == xsFile) {
        if (!showSaveDialog()) {
            reportError(xeSaveCancelled);
            return;
        }
    }
    ExportData();
}

bool TkxCustomExport::showSaveDialog() {
    QString extension;
    GetDefaultExtension(extension);
    QString filter;
    GetSaveFilter(filter);
    // Over the window the user works in, like the program's message boxes.
    QFileDialog dialog(messageParent(), m_messages->SaveTitle,
                       QCoreApplication::applicationDirPath(), dialogFilter(filter));
    if (!m_saveDialogStart.isEmpty()) {
        const QFileInfo start(m_saveDialogStart);
        if (start.isDir()) {
            dialog.setDirectory(start.absoluteFilePath());
        } else {
            dialog.setDirectory(start.absolutePath());
            dialog.selectFile(start.fileName());
        }
    }
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(extension);
    // The component asks about overwriting itself (OnFileExist); the dialog
    // is a Qt one so that it behaves alike everywhere and tests can drive it.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (execModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    m_fileName = dialog.selectedFiles().constFirst();
    return true;
}

void TkxCustomExport::SelectionChanged(QObject* Sender) {
    if (auto* rdo = qobject_cast<QRadioButton*>(Sender)) {
        const int tag = Tfrm_Selection::Tag(rdo);
        if (tag == Tfrm_Selection::ViewTag)
            m_exportStyle = xsView;
        else if (tag == Tfrm_Selection::FileTag)
            m_exportStyle = xsFile;
        else if (tag == Tfrm_Selection::PrintTag)
            m_exportStyle = xsPrint;
        return;
    }
    auto* combo = qobject_cast<QComboBox*>(Sender);
    if (!combo || Tfrm_Selection::Tag(combo) != Tfrm_Selection::ComboTag) return;
    const QString text = combo->currentText();
    const bool enable = text != ExportTypeText(xtClipboard);
    m_selectionForm->rdo_View->setEnabled(enable);
    m_selectionForm->rdo_File->setEnabled(enable);
    for (TkxExportType type : FormatListOrder) {
        if (text == ExportTypeText(type)) m_exportType = type; // the offered set already holds it
    }
    // Only pages can be printed; leaving such a type leaves its print choice.
    const bool pages = IsPageBased(m_exportType);
    m_selectionForm->rdo_Print->setVisible(pages);
    m_selectionForm->rdo_Print->setEnabled(pages);
    if (!pages && m_selectionForm->rdo_Print->isChecked()) {
        m_selectionForm->rdo_View->setChecked(true);
        m_exportStyle = xsView;
    }
    m_selectionForm->IconImage->update();
}

void TkxCustomExport::PaintFormatIcon(QObject* Sender) {
    auto* box = qobject_cast<TkxPaintBox*>(Sender);
    if (!box || !box->Canvas()) return;
    const int index = FormatIconIndex(m_exportType);
    if (index < m_selectionForm->ImageList().size())
        box->Canvas()->drawPixmap(0, 0, m_selectionForm->ImageList().at(index));
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

void TkxCustomExport::WriteDocument(const QString& FileName) {
    writeDocument(FileName, Delivery::Replace);
}

void TkxCustomExport::reportError(TkxExportError error) {
    if (OnError) OnError(this, error);
}

void TkxCustomExport::setUpProgress() {
    Tfrm_ProgressForm* form = m_progressForm;
    form->setWidth(m_messages->Width);
    form->setHeight(m_messages->Height);
    form->setCaption(m_messages->Caption);
    form->setText(m_messages->Text);
    QProgressBar* bar = form->ProgressBar;
    bar->setRange(0, static_cast<int>(qMin<std::uint32_t>(m_rowTotal, INT_MAX)));
    bar->setValue(0);
    m_progressStep =
        qMax<std::uint32_t>(1, m_rowTotal / static_cast<std::uint32_t>(qMax(1, bar->width())));
    // A run without a user shows no window; the bar still counts.
    if (!isHeadless()) form->beginRun();
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
    if (m_progressForm && m_options.contains(xoShowProgress) && m_rowIndex % m_progressStep == 0)
        m_progressForm->step(static_cast<int>(qMin<std::uint32_t>(m_rowIndex, INT_MAX)));
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
    const bool showProgress = m_progressForm && m_options.contains(xoShowProgress);
    if (showProgress) setUpProgress();

    // The progress window closes whatever happens below, an error of a handler included.
    struct CloseProgress {
        Tfrm_ProgressForm* form;
        bool active;
        ~CloseProgress() {
            if (active) form->endRun();
        }
    } closeProgress{m_progressForm, showProgress};

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
                if (showProgress) m_progressForm->hideForQuestion();
                OnFileExist(this, FileName, canOverWrite);
                if (showProgress && canOverWrite) m_progressForm->resumeAfterQuestion();
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
        if (showProgress) m_progressForm->endRun();
        reportError(xeWriteFailed);
    }
    if (showProgress) m_progressForm->endRun();
    closeProgress.active = false;
    if (!earlyEnd && OnEndExport) OnEndExport(this);
    return delivered;
}

void TkxCustomExport::deliver(const TkxDocument& document, const QString& FileName,
                              Delivery delivery) {
    if (document.ToClipboard) {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        clipboard->setText(document.ClipboardText);
        if (m_options.contains(xoClipboardMessage)) {
            // The notice is the run's last word: the progress window goes first.
            if (m_progressForm && m_options.contains(xoShowProgress)) m_progressForm->endRun();
            showMessageBox(QMessageBox::Information, applicationTitle(),
                           m_messages->CopiedToClipboard, messageParent());
        }
        return;
    }
    if (delivery == Delivery::Print) {
        if (!document.Pages) throw Exception(LoadResString(rs::SkxNoWriter));
        printPages(*document.Pages);
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
