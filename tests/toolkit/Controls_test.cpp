// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/TestSupport.h"
#include "toolkit/Component.h"
#include "toolkit/Controls.h"
#include "toolkit/ErrorDisplay.h"
#include "toolkit/Form.h"
#include "toolkit/ListView.h"
#include "toolkit/Timer.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QMetaProperty>
#include <memory>

using namespace twl;

namespace {
bool hasProperty(const QObject& o, const char* name) {
    return o.metaObject()->indexOfProperty(name) >= 0;
}
} // namespace

// A language file reaches controls only through published names: every
// control must carry the same ones.
TEST(Controls, PublishTheNamesALanguageFileSets) {
    TForm form;
    auto* panel = new TPanel(&form);
    auto* label = new TLabel(panel);
    auto* edit = new TEdit(panel);
    auto* memo = new TMemo(panel);
    auto* list = new TListView(&form);
    for (QObject* o : std::initializer_list<QObject*>{&form, panel, label, edit, memo, list}) {
        for (const char* name :
             {"Left", "Top", "Width", "Height", "Visible", "Enabled", "Hint", "Font", "Color"})
            EXPECT_TRUE(hasProperty(*o, name)) << o->metaObject()->className() << "." << name;
    }
    EXPECT_TRUE(hasProperty(form, "Caption"));
    EXPECT_TRUE(hasProperty(*label, "Caption"));
    EXPECT_TRUE(hasProperty(*panel, "Caption"));
    EXPECT_TRUE(hasProperty(*edit, "Text"));
    EXPECT_TRUE(hasProperty(*memo, "Lines"));
    EXPECT_TRUE(hasProperty(*list, "Columns"));

    // Setting through reflection reaches the control.
    label->setProperty("Caption", QStringLiteral("Loan Amount"));
    EXPECT_EQ(label->text(), "Loan Amount");
    auto* font = label->property("Font").value<TFont*>();
    ASSERT_NE(font, nullptr);
    font->setProperty("Name", QStringLiteral("Arial"));
    EXPECT_EQ(label->Font()->Name(), "Arial");
    EXPECT_EQ(label->Font()->Size(), 8); // height -11 at 96 pixels per inch
}

TEST(Controls, MemoLinesAreTheTextListAndMissingLinesReadEmpty) {
    TMemo memo;
    memo.Lines()->setText(QStringLiteral("a\r\nb\rc\nd\r\n"));
    EXPECT_EQ(memo.Lines()->Count(), 4);
    EXPECT_EQ(memo.Lines()->line(3), "d");
    EXPECT_EQ(memo.Lines()->line(98), "");
    EXPECT_EQ(memo.Lines()->line(-1), "");
    auto* lines = memo.property("Lines").value<TStrings*>();
    ASSERT_EQ(lines, memo.Lines());
    lines->setProperty("Strings", QStringList{"x", "y"});
    EXPECT_EQ(memo.toPlainText(), "x\ny");
    EXPECT_TRUE(TStrings::splitLines(QString()).isEmpty());
}

TEST(ListView, RowsColumnsSelectionAndRevision) {
    TListView view;
    view.AddColumn("Payment #", 70);
    view.AddColumn("Payment", 100);
    EXPECT_EQ(view.Columns()->Count(), 2);
    auto* col = qobject_cast<TListColumn*>(view.Columns()->Items(1));
    ASSERT_NE(col, nullptr);
    EXPECT_EQ(col->Caption(), "Payment");
    EXPECT_EQ(col->Width(), 100);
    EXPECT_EQ(view.Columns()->Items(2), nullptr);
    EXPECT_EQ(view.Columns()->Items(-1), nullptr);

    const quint64 r0 = view.revision();
    view.addItem("1", {"88.85"});
    view.addItem("2");
    EXPECT_GT(view.revision(), r0);
    EXPECT_EQ(view.itemCount(), 2);
    EXPECT_EQ(view.cellText(0, 1), "88.85");
    EXPECT_EQ(view.cellText(1, 1), ""); // missing sub-item
    EXPECT_EQ(view.cellText(5, 0), "");

    view.setItemSelected(1, true);
    EXPECT_TRUE(view.itemSelected(1));
    EXPECT_FALSE(view.itemSelected(0));
    view.clearItems();
    EXPECT_EQ(view.itemCount(), 0);
}

// A row keeps its texts in one buffer: every piece reads back as it was put,
// null apart from empty, through caption changes of any length and appends.
TEST(ListView, RowPiecesSurviveCaptionChangesAndAppends) {
    TListView view;
    const QStringView cells[] = {u"88.85", QStringView(), u"", u"\u20ac 9"};
    view.addItem(u"12", cells);
    const auto expectRow = [&](const QString& caption, const QStringList& subItems) {
        EXPECT_EQ(view.itemCaption(0), caption);
        EXPECT_EQ(view.itemCaption(0).isNull(), caption.isNull());
        ASSERT_EQ(view.item(0).subItemCount(), subItems.size());
        for (int i = 0; i < subItems.size(); ++i) {
            EXPECT_EQ(view.cellText(0, i + 1), subItems[i]) << i;
            EXPECT_EQ(view.cellText(0, i + 1).isNull(), subItems[i].isNull()) << i;
        }
    };
    QStringList subItems = {"88.85", QString(), "", "\u20ac 9"};
    expectRow("12", subItems);
    for (const QString& caption :
         {QString("a much longer caption"), QString(""), QString(), QString("x")}) {
        view.setItemCaption(0, caption);
        expectRow(caption, subItems);
    }
    view.appendSubItem(0, "last");
    subItems << "last";
    expectRow("x", subItems);
    const QStringView blank[] = {u"", QStringView()};
    view.clearItems();
    view.addItem(u"", blank);
    expectRow("", {"", QString()});
}

TEST(Ownership, TheFormOwnsNestedComponentsWhileParentsStayVisual) {
    TForm form;
    auto* panel = new TPanel(&form);
    auto* label = new TLabel(panel);
    label->setObjectName("amountlbl");
    setOwner(panel, &form);
    setOwner(label, &form);
    EXPECT_EQ(Owner(label), &form);
    EXPECT_EQ(label->parent(), panel);
    EXPECT_EQ(FindComponent(&form, "AMOUNTLBL"), label);
    EXPECT_EQ(FindComponent(&form, "nothing"), nullptr);
    delete label;
    EXPECT_EQ(Components(&form).size(), 1);
}

TEST(ErrorDisplay, DotRuleAndLocalStyle) {
    EXPECT_EQ(defaultErrorText("Floating point overflow"), "Floating point overflow.");
    EXPECT_EQ(defaultErrorText("Done."), "Done.");
    EXPECT_EQ(defaultErrorText("Really!"), "Really!"); // '!' is below '.'
    EXPECT_EQ(defaultErrorText("x "), "x ");
    EXPECT_EQ(defaultErrorText(""), "");
    EXPECT_EQ(localErrorText(EConvertError("bad")), "bad: EConvertError");
}

TEST(ErrorDisplay, AnEscapingErrorIsShownAndTheProgramGoesOn) {
    QString shown;
    test::answerNextModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        shown = box->text();
        box->accept();
    });
    runGuarded([] { throw EZeroDivide("Floating point division by zero"); });
    EXPECT_EQ(shown, "Floating point division by zero.");
}

TEST(Timer, FiresOnlyWhileEnabled) {
    TTimer timer;
    timer.setEnabled(false);
    timer.setInterval(1);
    int ticks = 0;
    timer.OnTimer = [&](QObject*) {
        ++ticks;
        timer.setEnabled(false);
    };
    timer.setEnabled(true);
    for (int i = 0; i < 2000 && ticks == 0; ++i)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(ticks, 1);
}
