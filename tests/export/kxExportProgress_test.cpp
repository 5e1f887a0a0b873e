// SPDX-License-Identifier: GPL-3.0-or-later
// The progress window as the user sees it during a run: painted before the
// first rows, moving while they are written, and keeping the user's input out.

#include "export/kxExportProgress.h"
#include "export/writers/kxWriterTypeset.h"
#include "tests/export/MemorySource.h"
#include "tests/support/TestSupport.h"
#include "toolkit/ModalGuard.h"

#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <set>

using namespace twl;
using namespace twl::test;

namespace {

// Records what a widget painted: how often, and the bar's value each time.
class PaintLog : public QObject {
public:
    explicit PaintLog(QWidget* w)
        : m_widget(w) {
        w->installEventFilter(this);
    }
    int paints = 0;
    std::set<int> barValues;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::Paint) return false;
        ++paints;
        if (auto* bar = qobject_cast<QProgressBar*>(m_widget)) barValues.insert(bar->value());
        return false;
    }

private:
    QWidget* m_widget;
};

struct Progress : ::testing::Test {
    RegionalScope regional;
    QTemporaryDir dir;
    MemorySource source;
    Progress() {
        source.captions = {"No", "Text"};
        for (int i = 0; i < 3000; ++i)
            source.rows.push_back({QString::number(i), QStringLiteral("row")});
        kxRegisterDocumentWriters(); // the typeset writers too
        source.setWriterFactory(&kxCreateDocumentWriter);
        source.setOptions({xoShowProgress});
        source.setExportType(xtCSV);
        source.setExportStyle(xsFile);
        source.setFileName(dir.filePath("out.csv"));
        source.Messages()->Caption = QStringLiteral("Exporting");
        source.Messages()->Text = QStringLiteral("Please wait");
    }
    Tfrm_ProgressForm* form() { return source.ProgressForm(); }
};

} // namespace

TEST_F(Progress, IsPaintedBeforeTheFirstRowsAndMovesInVisibleSteps) {
    PaintLog window(form()), label(form()->ProgressLabel), bar(form()->ProgressBar);
    bool checked = false;
    source.OnExport = [&](QObject*, std::uint32_t row, std::uint32_t, TkxValues, bool) {
        if (row != 0) return;
        checked = true;
        ASSERT_NE(form()->windowHandle(), nullptr);
        EXPECT_TRUE(form()->windowHandle()->isExposed());
        EXPECT_EQ(form()->windowHandle()->title(), "Exporting");
        EXPECT_GT(window.paints, 0);
        EXPECT_GT(label.paints, 0);
        EXPECT_GT(bar.paints, 0);
    };
    source.ExportData();
    EXPECT_TRUE(checked);
    EXPECT_FALSE(form()->isVisible());
    // The bar was seen at many positions between empty and full, not only at the ends.
    EXPECT_GE(bar.barValues.size(), 20u);
    EXPECT_TRUE(std::any_of(bar.barValues.begin(), bar.barValues.end(),
                            [](int v) { return v > 1000 && v < 2000; }));
}

// Clicks and keys reach the program's windows through the window system; during
// a run they are dropped, so nothing starts a second export or calculation.
TEST_F(Progress, UserInputDuringARunIsDroppedAndWorksAgainAfterwards) {
    QWidget main;
    main.resize(200, 100);
    auto* exportButton = new QPushButton("Export", &main);
    exportButton->setGeometry(10, 10, 100, 30);
    int clicks = 0;
    int runs = 0;
    source.OnBeginExport = [&](QObject*) { ++runs; };
    QObject::connect(exportButton, &QPushButton::clicked, [&] {
        ++clicks;
        source.ExportData();
    });
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    exportButton->setFocus();

    source.OnExport = [&](QObject*, std::uint32_t row, std::uint32_t, TkxValues, bool) {
        if (row != 100) return;
        QTest::mouseClick(main.windowHandle(), Qt::LeftButton, {}, QPoint(50, 25));
        QTest::keyClick(main.windowHandle(), Qt::Key_Space);
    };
    source.ExportData();
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(runs, 1);

    source.OnExport = nullptr;
    QTest::mouseClick(main.windowHandle(), Qt::LeftButton, {}, QPoint(50, 25));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(runs, 2);
}

// A question the run asks while the progress window is up still takes the answer.
TEST_F(Progress, AnOverwriteQuestionDuringTheRunTakesInput) {
    writeFile(dir.filePath("out.csv"), "old");
    bool asked = false;
    source.OnFileExist = [&](QObject*, const QString&, bool& canOverWrite) {
        QMessageBox box(QMessageBox::Warning, "T", "Replace?", QMessageBox::Yes | QMessageBox::No);
        answerNextModal([&](QWidget* w) {
            auto* b = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(b, nullptr);
            asked = true;
            QTest::mouseClick(b->button(QMessageBox::Yes), Qt::LeftButton);
        });
        canOverWrite = box.exec() == QMessageBox::Yes;
    };
    source.ExportData();
    EXPECT_TRUE(asked);
    EXPECT_TRUE(readFile(dir.filePath("out.csv")).startsWith("0,row\r\n1,row\r\n"));
}

TEST_F(Progress, ARunWithoutAUserShowsNoWindow) {
    QStringList heard;
    const HeadlessScope headless([&](const QString&, const QString& text) { heard << text; });
    source.OnExport = [&](QObject*, std::uint32_t, std::uint32_t, TkxValues, bool) {
        EXPECT_FALSE(form()->isVisible());
    };
    source.ExportData();
    EXPECT_TRUE(heard.isEmpty());
    EXPECT_FALSE(readFile(dir.filePath("out.csv")).isEmpty());
}
