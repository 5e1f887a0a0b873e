// SPDX-License-Identifier: GPL-3.0-or-later
// The windows of an export run: the format dialog, naming the target in the
// save dialog, the progress window, the clipboard and the print preview.

#include "export/kxExportDialogs.h"

#include "export/kxExport.h"
#include "export/kxExportProgress.h"
#include "export/kxExportSelect.h"
#include "toolkit/MessageParent.h"
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

class TkxExportWindows : public TkxRunWindows {
public:
    explicit TkxExportWindows(TkxCustomExport& Export)
        : progress(new Tfrm_ProgressForm)
        , selection(new Tfrm_Selection) {
        selection->IconImage->OnPaint = [&Export](QObject* sender) {
            Export.PaintFormatIcon(sender);
        };
    }
    ~TkxExportWindows() override {
        selection->IconImage->OnPaint = nullptr;
        delete selection;
        delete progress;
    }

    std::uint32_t beginProgress(const TkxMessagesOptions& messages,
                                std::uint32_t rowTotal) override {
        progress->setWidth(messages.Width);
        progress->setHeight(messages.Height);
        progress->setCaption(messages.Caption);
        progress->setText(messages.Text);
        QProgressBar* bar = progress->ProgressBar;
        bar->setRange(0, static_cast<int>(qMin<std::uint32_t>(rowTotal, INT_MAX)));
        bar->setValue(0);
        // A run without a user shows no window; the bar still counts.
        if (!isHeadless()) progress->beginRun();
        return qMax<std::uint32_t>(1, rowTotal / static_cast<std::uint32_t>(qMax(1, bar->width())));
    }
    void stepProgress(int row) override { progress->step(row); }
    void endProgress() override { progress->endRun(); }
    void hideForQuestion() override { progress->hideForQuestion(); }
    void resumeAfterQuestion() override { progress->resumeAfterQuestion(); }

    void copyToClipboard(const QString& text) override {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        clipboard->setText(text);
    }
    void printPages(const TkxPagedDocument& pages, const QString& caption) override {
        kxPrintPages(pages, caption);
    }

    Tfrm_ProgressForm* progress;
    Tfrm_Selection* selection;
};

TkxExportWindows* windowsOf(const TkxCustomExport& Export) {
    return dynamic_cast<TkxExportWindows*>(Export.RunWindows());
}

} // namespace

void kxGiveWindows(TkxCustomExport& Export) {
    Export.setRunWindows(std::make_unique<TkxExportWindows>(Export));
}

Tfrm_ProgressForm* TkxCustomExport::ProgressForm() const {
    TkxExportWindows* windows = windowsOf(*this);
    return windows ? windows->progress : nullptr;
}

Tfrm_Selection* TkxCustomExport::SelectionForm() const {
    TkxExportWindows* windows = windowsOf(*this);
    return windows ? windows->selection : nullptr;
}

void TkxCustomExport::Execute() {
    Tfrm_Selection* dlg = SelectionForm();
    if (!dlg) return; // no windows given: no dialog to show
    dlg->setWindowTitle(m_messages->Caption);
    dlg->btn_Selection->setText(m_messages->ExportCaption);
    dlg->btn_Cancel->setText(m_messages->CancelCaption);
    dlg->GroupBox->setTitle(QLatin1Char(' ') + m_messages->SelectFormat + QLatin1Char(' '));

    QObject::disconnect(m_comboConnection);
    m_comboConnection = connect(dlg->SelectionCombo, &QComboBox::currentIndexChanged, this,
                                [this] { SelectionChanged(SelectionForm()->SelectionCombo); });

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
    Tfrm_Selection* form = SelectionForm();
    auto* combo = qobject_cast<QComboBox*>(Sender);
    if (!combo || Tfrm_Selection::Tag(combo) != Tfrm_Selection::ComboTag) return;
    const QString text = combo->currentText();
    const bool enable = text != ExportTypeText(xtClipboard);
    form->rdo_View->setEnabled(enable);
    form->rdo_File->setEnabled(enable);
    for (TkxExportType type : FormatListOrder) {
        if (text == ExportTypeText(type)) m_exportType = type; // the offered set already holds it
    }
    // Only pages can be printed; leaving such a type leaves its print choice.
    const bool pages = IsPageBased(m_exportType);
    form->rdo_Print->setVisible(pages);
    form->rdo_Print->setEnabled(pages);
    if (!pages && form->rdo_Print->isChecked()) {
        form->rdo_View->setChecked(true);
        m_exportStyle = xsView;
    }
    form->IconImage->update();
}

void TkxCustomExport::PaintFormatIcon(QObject* Sender) {
    auto* box = qobject_cast<TkxPaintBox*>(Sender);
    if (!box || !box->Canvas()) return;
    Tfrm_Selection* form = SelectionForm();
    const int index = FormatIconIndex(m_exportType);
    if (form && index < form->ImageList().size())
        box->Canvas()->drawPixmap(0, 0, form->ImageList().at(index));
}

} // namespace twl
