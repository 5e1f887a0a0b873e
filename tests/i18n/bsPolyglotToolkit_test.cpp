// SPDX-License-Identifier: GPL-3.0-or-later
// The translator over the real toolkit controls: ownership recorded by the
// toolkit, a memo's Lines, a list view's Columns, translation when built.
#include "i18n/bsPolyglotUnWindows.h"
#include "tests/i18n/LanguageFolder.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Component.h"
#include "toolkit/Controls.h"
#include "toolkit/Form.h"
#include "toolkit/ListView.h"

#include <QDir>
#include <QFile>
#include <memory>

using twl::test::writeFile;

namespace toolkittest {

using namespace twl;

class Tmainfrm : public TForm {
    Q_OBJECT
public:
    Tmainfrm() {
        setObjectName("mainfrm");
        setCaption("designed");
        mpanel = make<TPanel>(this, "mpanel");
        amountlbl = make<TLabel>(mpanel, "amountlbl");
        amountlbl->setCaption("Loan Amount");
        bpanel = make<TPanel>(this, "bpanel");
        messages = make<TMemo>(bpanel, "messages");
        loanview = make<TListView>(this, "loanview");
        for (int i = 0; i < 5; ++i)
            loanview->AddColumn(QString("column %1").arg(i), 100);
        lngmanager = make<TbsPolyglotManager>(this, "lngmanager");
        client1 = make<TbsPolyglotTranslator>(this, "client1");
        client1->setManager(lngmanager);
        finishBuilding();
    }
    template <class T, class P> T* make(P* parent, const char* name) {
        auto* c = new T(parent);
        c->setObjectName(QLatin1String(name));
        setOwner(c, this);
        return c;
    }
    TPanel* mpanel;
    TPanel* bpanel;
    TLabel* amountlbl;
    TMemo* messages;
    TListView* loanview;
    TbsPolyglotManager* lngmanager;
    TbsPolyglotTranslator* client1;
};

} // namespace toolkittest

namespace {

using namespace twl;

class ToolkitTranslationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        // The start-up folder ./Language/ holds the shipped English file.
        QDir(root.path()).mkpath("Language");
        ASSERT_TRUE(QFile::copy(
            QDir::cleanPath(test::testDataDir() + QStringLiteral("/../../language/English.lng")),
            root.filePath("Language/English.lng")));
        core = std::make_unique<TbsCorePolyglot>();
    }
    void TearDown() override { core.reset(); }
    test::LanguageFolderScope root;
    std::unique_ptr<TbsCorePolyglot> core;
};

} // namespace

TEST_F(ToolkitTranslationTest, TheWindowIsTranslatedWhenBuiltAndAtEveryLanguageChange) {
    ASSERT_EQ(core->CurrentLanguage(), "English");
    ASSERT_TRUE(core->HasLanguageFile());
    toolkittest::Tmainfrm form;
    EXPECT_EQ(form.client1->Manager(), form.lngmanager);
    EXPECT_EQ(Owner(form.client1), &form);
    EXPECT_EQ(form.Caption(), "Tarnwell - TWL-Calculator");
    EXPECT_EQ(form.loanview->Columns()->column(0)->Caption(), "Payment #");
    EXPECT_EQ(form.loanview->Columns()->column(4)->Caption(), "Balance");
    const QStringList lines = form.messages->Lines()->Strings();
    ASSERT_EQ(lines.size(), 103);
    EXPECT_EQ(lines[99], "Amount: ");

    QDir(root.path()).mkpath("other");
    writeFile(root.filePath("other/Deutsch.lng"),
              "[Tmainfrm]\r\nCaption='Kreditrechner'\r\nmpanel.amountlbl.Caption='Betrag'\r\n"
              "loanview.Columns.Items(1).Caption=Rate\r\n"
              "amountlbl.Alignment=taRightJustify\r\n"
              "messages.Lines.Strings='eins',zwei\r\n");
    form.lngmanager->setLangsDir(root.filePath("other"));
    EXPECT_EQ(form.lngmanager->CurrentLang(), "Deutsch");
    EXPECT_EQ(form.Caption(), "Kreditrechner");
    EXPECT_EQ(form.amountlbl->Caption(), "Betrag");
    EXPECT_EQ(form.amountlbl->Alignment(), TAlignmentEnum::taRightJustify);
    EXPECT_EQ(form.loanview->Columns()->column(1)->Caption(), "Rate");
    EXPECT_EQ(form.loanview->Columns()->column(0)->Caption(), "Payment #"); // kept
    EXPECT_EQ(form.messages->Lines()->Strings(), (QStringList{"eins", "zwei"}));
}

TEST_F(ToolkitTranslationTest, OnlyRecordedComponentsCountAsOwned) {
    toolkittest::Tmainfrm form;
    QDir(root.path()).mkpath("other");
    // The list view's own scroll-area viewport is a Qt child, not a component.
    writeFile(root.filePath("other/Deutsch.lng"),
              "[Tmainfrm]\r\nqt_scrollarea_viewport.Visible=False\r\n"
              "loanview.qt_scrollarea_viewport.objectName=renamed\r\n"
              "bpanel.messages.WordWrap=True\r\n");
    form.lngmanager->setLangsDir(root.filePath("other"));
    EXPECT_TRUE(form.messages->WordWrap());
    const auto* viewport = form.loanview->findChild<QWidget*>("qt_scrollarea_viewport");
    ASSERT_NE(viewport, nullptr);
    EXPECT_FALSE(viewport->isHidden());
}

#include "bsPolyglotToolkit_test.moc"
