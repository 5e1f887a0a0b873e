// SPDX-License-Identifier: GPL-3.0-or-later
// The format dialog, driven offscreen through Execute: its controls, the
// list for the offered types, the icon, and whole runs through it.

#include "export/kxExportHost.h"
#include "export/kxExportSelect.h"
#include "export/kxListViewExport.h"
#include "export/writers/kxWriterTypeset.h"
#include "tests/export/ExportTestTable.h"
#include "tests/support/TestSupport.h"
#include "toolkit/ListView.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QMessageBox>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace twl;
using namespace twl::test;

namespace {

struct Dialog : ::testing::Test {
    RegionalScope regional;
    QTemporaryDir dir;
    std::unique_ptr<TListView> view = makeListView({"A", "B"}, {{"a", "1"}, {"b", "2"}});
    TkxListViewExport exporter;
    Tfrm_Selection* dlg = exporter.SelectionForm();
    QStringList opened;
    std::vector<TkxExportError> errors;

    Dialog() {
        kxApplyMainWindowSettings(exporter, view.get());
        kxRegisterDocumentWriters(); // the typeset writers too
        exporter.setWriterFactory(&kxCreateDocumentWriter);
        exporter.setOptions(exporter.Options().without(xoShowProgress));
        exporter.setTempDir(dir.path() + "/");
        exporter.DocumentOpener = [this](const QString& f) { opened << f; };
        exporter.OnError = [this](QObject*, TkxExportError e) { errors.push_back(e); };
    }

    QStringList entries() const {
        QStringList list;
        for (int i = 0; i < dlg->SelectionCombo->count(); ++i)
            list << dlg->SelectionCombo->itemText(i);
        return list;
    }
    void choose(const QString& entry) {
        dlg->SelectionCombo->setCurrentIndex(dlg->SelectionCombo->findText(entry));
    }
    // Runs Execute; `inDialog` acts on the open format dialog.
    void execute(std::function<void()> inDialog) {
        answerNextModal([this, inDialog](QWidget* w) {
            ASSERT_EQ(w, dlg);
            inDialog();
        });
        exporter.Execute();
    }
    QImage iconShown() {
        return dlg->IconImage->grab()
            .toImage()
            .copy(0, 0, 31, 31)
            .convertToFormat(QImage::Format_ARGB32);
    }
    QImage icon(int index) const {
        QImage img(31, 31, QImage::Format_ARGB32);
        img.fill(dlg->IconImage->palette().color(QPalette::Window));
        QPainter p(&img);
        p.drawPixmap(0, 0, dlg->ImageList().at(index));
        return img;
    }
};

} // namespace

TEST_F(Dialog, ControlsPlacesTagsAndTabOrder) {
    EXPECT_EQ(dlg->size(), QSize(322, 123));
    EXPECT_TRUE(dlg->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(dlg->btn_Selection->geometry(), QRect(240, 8, 75, 25));
    EXPECT_TRUE(dlg->btn_Selection->isDefault());
    EXPECT_EQ(dlg->btn_Cancel->geometry(), QRect(240, 40, 75, 25));
    EXPECT_EQ(dlg->GroupBox->geometry(), QRect(8, 8, 225, 113));
    EXPECT_EQ(dlg->SelectionCombo->geometry(), QRect(8, 24, 209, 21));
    EXPECT_EQ(dlg->rdo_View->geometry(), QRect(8, 60, 113, 17));
    EXPECT_EQ(dlg->rdo_File->geometry(), QRect(8, 80, 113, 17));
    EXPECT_EQ(dlg->IconImage->geometry(), QRect(176, 64, 40, 40));
    EXPECT_EQ(dlg->SelectionCombo->parent(), dlg->GroupBox);
    EXPECT_EQ(Tfrm_Selection::Tag(dlg->SelectionCombo), 30);
    EXPECT_EQ(Tfrm_Selection::Tag(dlg->rdo_View), 10);
    EXPECT_EQ(Tfrm_Selection::Tag(dlg->rdo_File), 20);
    ASSERT_EQ(dlg->ImageList().size(), 8);
    for (const QPixmap& p : dlg->ImageList())
        EXPECT_EQ(p.size(), QSize(31, 31));
    EXPECT_EQ(dlg->btn_Selection->nextInFocusChain(), dlg->btn_Cancel);
    EXPECT_EQ(dlg->btn_Cancel->nextInFocusChain(), dlg->GroupBox);
    EXPECT_EQ(dlg->GroupBox->nextInFocusChain(), dlg->SelectionCombo);
    EXPECT_EQ(dlg->SelectionCombo->nextInFocusChain(), dlg->rdo_View);
    EXPECT_EQ(dlg->rdo_View->nextInFocusChain(), dlg->rdo_File);
}

TEST_F(Dialog, ListsTheOfferedTypesInItsOwnOrderAndCancelChangesNothingElse) {
    exporter.setExportType(xtCSV);
    exporter.setExportTypes({xtCSV, xtHTML});
    exporter.setExportType(xtExcel);
    exporter.setExportTypes({xtCSV, xtHTML});
    QStringList shown;
    QString caption, group;
    execute([&] {
        shown = entries();
        caption = dlg->windowTitle();
        group = dlg->GroupBox->title();
        EXPECT_EQ(dlg->SelectionCombo->currentText(), "Microsoft Excel");
        EXPECT_EQ(dlg->btn_Selection->text(), "&Export");
        EXPECT_EQ(dlg->btn_Cancel->text(), "&Cancel");
        EXPECT_EQ(dlg->rdo_View->text(), "&View only");
        EXPECT_EQ(dlg->rdo_File->text(), "Export &to file");
        EXPECT_TRUE(dlg->rdo_View->isChecked());
        choose("HTML");
        QTest::keyClick(dlg, Qt::Key_Escape);
    });
    EXPECT_EQ(shown, QStringList({"HTML", "Microsoft Excel", "Comma-Separated Text"}));
    EXPECT_EQ(caption, "Exporting DataSet");
    EXPECT_EQ(group, " E&xport formats: ");
    EXPECT_EQ(exporter.ExportTypes(), TkxExportTypeSet({xtCSV, xtHTML, xtExcel}));
    EXPECT_EQ(exporter.ExportType(), xtHTML); // the last choice stays
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(opened.isEmpty());

    exporter.setExportTypes(kxDesignExportTypes);
    execute([&] {
        shown = entries();
        dlg->reject();
    });
    EXPECT_EQ(shown, QStringList({"HTML", "Microsoft Word", "Microsoft Excel", "Text", "Rich Text",
                                  "Comma-Separated Text", "Tab-Separated Text",
                                  "Data Interchange Format", "SYLK Format", "Clipboard"}));
}

TEST_F(Dialog, TheClipboardEntryDisablesTheDestinationChoice) {
    execute([&] {
        choose("Clipboard");
        EXPECT_FALSE(dlg->rdo_View->isEnabled());
        EXPECT_FALSE(dlg->rdo_File->isEnabled());
        EXPECT_EQ(exporter.ExportType(), xtClipboard);
        choose("Text");
        EXPECT_TRUE(dlg->rdo_View->isEnabled());
        EXPECT_TRUE(dlg->rdo_File->isEnabled());
        EXPECT_EQ(exporter.ExportType(), xtTXT);
        QTest::mouseClick(dlg->rdo_File, Qt::LeftButton, {}, QPoint(5, 8));
        EXPECT_EQ(exporter.ExportStyle(), xsFile);
        QTest::mouseClick(dlg->rdo_View, Qt::LeftButton, {}, QPoint(5, 8));
        EXPECT_EQ(exporter.ExportStyle(), xsView);
        dlg->reject();
    });
}

TEST_F(Dialog, TheIconFollowsTheSelection) {
    const std::pair<const char*, int> table[] = {{"Tab-Separated Text", 6},
                                                 {"Data Interchange Format", 6},
                                                 {"SYLK Format", 6},
                                                 {"Rich Text", 0},
                                                 {"HTML", 2},
                                                 {"Comma-Separated Text", 1},
                                                 {"Text", 3},
                                                 {"Microsoft Word", 4},
                                                 {"Microsoft Excel", 5},
                                                 {"Clipboard", 7}};
    execute([&] {
        for (const auto& [entry, index] : table) {
            choose(QString::fromLatin1(entry));
            EXPECT_EQ(iconShown(), icon(index)) << entry;
        }
        dlg->reject();
    });
    EXPECT_EQ(TkxCustomExport::FormatIconIndex(42), 0);
    // The pictures differ from each other.
    for (int i = 1; i < 8; ++i)
        EXPECT_NE(icon(i), icon(i - 1));
}

TEST_F(Dialog, AFileRunAsksForTheNameOnceAndKeepsIt) {
    ClockScope clock(QDateTime(QDate(2026, 12, 7), QTime(8, 0, 0)));
    const QString target = dir.filePath("table.csv");
    QString title;
    QStringList filters;
    execute([&] {
        choose("Comma-Separated Text");
        dlg->rdo_File->click();
        answerNextModal([&](QWidget* w) {
            auto* save = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(save, nullptr);
            title = save->windowTitle();
            filters = save->nameFilters();
            EXPECT_EQ(save->acceptMode(), QFileDialog::AcceptSave);
            EXPECT_EQ(save->defaultSuffix(), "CSV");
            save->selectFile(target);
            static_cast<QDialog*>(save)->accept();
        });
        dlg->btn_Selection->click();
    });
    EXPECT_EQ(title, "Save document");
    EXPECT_EQ(filters, QStringList({"CSV (Comma delimited) (*.csv *.CSV)"}));
    EXPECT_EQ(exporter.FileName(), target);
    EXPECT_EQ(readFile(target), "A,B\r\na,1\r\nb,2\r\n");
    EXPECT_TRUE(opened.isEmpty());

    // The next file run writes to the kept name with its own extension.
    execute([&] {
        choose("Tab-Separated Text");
        dlg->btn_Selection->click();
    });
    EXPECT_EQ(readFile(dir.filePath("table.TXT")),
              "A\tB\r\na\t1\r\nb\t2\r\nCreated: 2026-12-07 08:00:00\r\n");
}

TEST_F(Dialog, CancellingTheSaveDialogIsReportedAndAsksAgainNextTime) {
    for (int round = 0; round < 2; ++round) {
        bool asked = false;
        execute([&] {
            choose("Text");
            dlg->rdo_File->click();
            answerNextModal([&](QWidget* w) {
                asked = qobject_cast<QFileDialog*>(w) != nullptr;
                qobject_cast<QDialog*>(w)->reject();
            });
            dlg->btn_Selection->click();
        });
        EXPECT_TRUE(asked);
    }
    EXPECT_EQ(errors, std::vector<TkxExportError>({xeSaveCancelled, xeSaveCancelled}));
    EXPECT_EQ(exporter.FileName(), "");
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(Dialog, AViewRunOpensAFreshTemporaryFile) {
    ClockScope clock(QDateTime(QDate(2026, 12, 7), QTime(8, 0, 0)));
    execute([&] {
        choose("Text");
        dlg->btn_Selection->click();
    });
    ASSERT_EQ(opened, QStringList({dir.filePath("TWL1.TXT")}));
    EXPECT_EQ(readFile(opened.first()),
              "A B\r\n---\r\na 1\r\nb 2\r\n---\r\nCreated: 2026-12-07 08:00:00\r\n");
    EXPECT_EQ(exporter.ExportStyle(), xsView);
}

TEST_F(Dialog, AClipboardRunFillsTheClipboardAndSaysSo) {
    exporter.setExportStyle(xsFile); // ignored for the clipboard
    QString message;
    execute([&] {
        choose("Clipboard");
        answerNextModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            message = box->text();
            box->accept();
        });
        dlg->btn_Selection->click();
    });
    EXPECT_EQ(message, "Data was copied to clipboard!");
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith("A B\r\n---\r\na 1\r\n"));
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(exporter.FileName(), "");
    EXPECT_TRUE(errors.empty());
}

TEST_F(Dialog, PrintIsAChoiceOfPageBasedTypesAlone) {
    exporter.setExportType(xtPDF);
    execute([&] {
        EXPECT_TRUE(dlg->rdo_Print->isVisible());
        dlg->rdo_Print->click();
        EXPECT_EQ(exporter.ExportStyle(), xsPrint);
        // Leaving the type leaves its print choice, for the view.
        choose("Microsoft Excel");
        EXPECT_FALSE(dlg->rdo_Print->isVisible());
        EXPECT_TRUE(dlg->rdo_View->isChecked());
        EXPECT_EQ(exporter.ExportStyle(), xsView);
        choose("PDF Report");
        EXPECT_TRUE(dlg->rdo_Print->isVisible());
        EXPECT_EQ(dlg->rdo_Print->text(), "&Print");
        dlg->reject();
    });
    const QStringList shown = [&] {
        QStringList list;
        execute([&] {
            list = entries();
            dlg->reject();
        });
        return list;
    }();
    // The main window offers the new types after the ten.
    EXPECT_EQ(shown.mid(10),
              QStringList({"Excel Workbook", "OpenDocument Spreadsheet", "PDF Report", "JSON"}));
}

TEST_F(Dialog, PrintShowsTheReportsPagesInThePreview) {
    const QString printed = dir.filePath("printed.pdf");
    QString title;
    execute([&] {
        choose("PDF Report");
        dlg->rdo_Print->click();
        answerNextModal([&](QWidget* w) {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(w);
            ASSERT_NE(preview, nullptr);
            title = preview->windowTitle();
            // What the system's print dialog would do with a printer set to a file.
            preview->printer()->setOutputFormat(QPrinter::PdfFormat);
            preview->printer()->setOutputFileName(printed);
            auto* pages = preview->findChild<QPrintPreviewWidget*>();
            ASSERT_NE(pages, nullptr);
            pages->print();
            preview->reject();
        });
        dlg->accept();
    });
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(opened.isEmpty()); // nothing is saved or opened
    EXPECT_EQ(title, exporter.Messages()->Caption);
    ASSERT_TRUE(QFile::exists(printed));
    EXPECT_TRUE(readFile(printed).startsWith("%PDF"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"printed.pdf"}));
}

TEST_F(Dialog, TheWindowOffersEveryTypeOfTheTableJSONAmongThem) {
    QStringList shown, wanted, filters;
    for (const TkxExportType type : TkxCustomExport::FormatListOrder)
        wanted << TkxCustomExport::ExportTypeText(type);
    const QString target = dir.filePath("table.json");
    exporter.setOptions(exporter.Options().without(xoShowExportDate));
    execute([&] {
        shown = entries();
        choose("JSON");
        dlg->rdo_File->click();
        answerNextModal([&](QWidget* w) {
            auto* save = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(save, nullptr);
            filters = save->nameFilters();
            EXPECT_EQ(save->defaultSuffix(), "JSON");
            save->selectFile(target);
            static_cast<QDialog*>(save)->accept();
        });
        dlg->btn_Selection->click();
    });
    EXPECT_EQ(shown, wanted);
    EXPECT_EQ(shown.size(), kxExportTypeCount);
    EXPECT_TRUE(shown.contains("JSON"));
    EXPECT_EQ(filters, QStringList({"JSON Data (*.json *.JSON)"}));
    EXPECT_TRUE(errors.empty());
    // No row starts with a number: all stand after the table, as its summary.
    EXPECT_TRUE(readFile(target).contains("\"summary\": [\n    {\"label\": \"a\", \"B\": 1},\n"))
        << readFile(target).constData();
}
