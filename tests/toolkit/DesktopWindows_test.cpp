// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Exceptions.h"
#include "tests/support/TestSupport.h"
#include "toolkit/ApplicationTitle.h"
#include "toolkit/ErrorDisplay.h"
#include "toolkit/Form.h"
#include "toolkit/MessageParent.h"
#include "toolkit/ModalGuard.h"
#include "toolkit/ShowPainted.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QWindow>

using namespace twl;

namespace {

struct Heard {
    QString caption, text;
};

// Counts the paints a widget receives.
class PaintCount : public QObject {
public:
    explicit PaintCount(QWidget* w) { w->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

} // namespace

TEST(HeadlessScope, MessagesGoToTheHandlerAndNoDialogRuns) {
    std::vector<Heard> heard;
    {
        const HeadlessScope scope([&](const QString& caption, const QString& text) {
            heard.push_back({caption, text});
        });
        EXPECT_TRUE(isHeadless());
        showMessageBox(QMessageBox::Critical, "Error", "The format has to contain %d string.");
        QMessageBox question(QMessageBox::Warning, "T", "Replace it?",
                             QMessageBox::Yes | QMessageBox::No);
        EXPECT_NE(execModal(question), int(QMessageBox::Yes));
        QFileDialog save(nullptr, "Save as");
        EXPECT_EQ(execModal(save), int(QDialog::Rejected));
        EXPECT_FALSE(question.isVisible());
        EXPECT_FALSE(save.isVisible());
    }
    EXPECT_FALSE(isHeadless());
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[0].caption, "Error");
    EXPECT_EQ(heard[0].text, "The format has to contain %d string.");
    EXPECT_EQ(heard[1].text, "Replace it?");
    EXPECT_EQ(heard[2].text, "Save as");
}

// A window opened past execModal (a plain exec(), a show()) must not wait for
// a click: it is reported and closed, and a modal loop it started ends.
TEST(HeadlessScope, WindowsShownAnywayAreClosedAndReported) {
    QStringList heard;
    const HeadlessScope scope([&](const QString&, const QString& text) { heard << text; });
    QMessageBox box(QMessageBox::Critical, "Error", "raw box", QMessageBox::Ok);
    EXPECT_EQ(box.exec(), int(QDialog::Rejected));
    TForm form;
    form.setCaption("plain window");
    form.show();
    QTRY_VERIFY(!form.isVisible());
    EXPECT_EQ(heard, (QStringList{"raw box", "plain window"}));
}

TEST(ApplicationTitle, ProgramNameUpToItsFirstDotWithOnlyTheFirstCaseKept) {
    EXPECT_EQ(initialApplicationTitle("/opt/x/twlc"), "twlc");
    EXPECT_EQ(initialApplicationTitle("/opt/x/TWLC.old.exe"), "Twlc");
    EXPECT_EQ(initialApplicationTitle("/opt/x/tWLC"), "twlc");
    EXPECT_EQ(initialApplicationTitle("/opt/x/.hidden"), "");
}

TEST(ErrorDisplay, BoxesBelongToTheActiveWindowElseTheMainWindow) {
    TForm main;
    main.setCaption("main");
    setMainWindow(&main);
    setApplicationTitle("twlc");
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));

    auto expectBox = [](QWidget* parent, const QString& caption, const QString& text, auto&& show) {
        QPointer<QWidget> seenParent;
        QString seenCaption, seenText;
        bool seen = false;
        test::answerNextModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            seen = true;
            seenParent = box->parentWidget();
            seenCaption = box->windowTitle();
            seenText = box->text();
            // Centred on its parent, not on the screen.
            EXPECT_LE((box->frameGeometry().center() - parent->frameGeometry().center())
                          .manhattanLength(),
                      2);
            box->accept();
        });
        show();
        ASSERT_TRUE(seen);
        EXPECT_EQ(seenParent.data(), parent);
        EXPECT_EQ(seenCaption, caption);
        EXPECT_EQ(seenText, text);
    };
    expectBox(&main, "twlc", "Out of range.", [] { ShowDefaultError("Out of range"); });
    expectBox(&main, "Error", "bad: EConvertError", [] { ShowLocalError(EConvertError("bad")); });

    // A tool window (the progress window) is not what a box belongs to.
    TForm tool(nullptr, Qt::Tool);
    tool.show();
    tool.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&tool));
    EXPECT_EQ(messageParent(), &main);
    setMainWindow(nullptr);
}

TEST(ShowPainted, ReturnsWithTheWindowExposedAndPainted) {
    TForm form;
    form.resize(200, 60);
    PaintCount count(&form);
    showPainted(form);
    EXPECT_TRUE(form.windowHandle()->isExposed());
    EXPECT_GT(count.paints, 0);
}
