// SPDX-License-Identifier: GPL-3.0-or-later
// The language file applied to a form: texts, numbers, enumerations, lists,
// hostile files, and what it must leave alone.
#include "base/Exceptions.h"
#include "base/Font.h"
#include "i18n/bsPolyglotUnWindows.h"
#include "tests/i18n/LanguageFolder.h"
#include "tests/i18n/TranslatorStandIns.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QWidget>
#include <memory>

using twl::test::writeFile;

namespace {

using namespace twl;
using twltest::Tmainfrm;

class TranslatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        core = std::make_unique<TbsCorePolyglot>();
        manager = std::make_unique<TbsPolyglotManager>();
        form = std::make_unique<Tmainfrm>();
        form->client1->setManager(manager.get());
    }
    void TearDown() override {
        form.reset();
        manager.reset();
        core.reset();
    }
    // Writes a language file with that main-window section and makes it current.
    // The form is detached meanwhile, so that only translate() applies it.
    void useLanguage(const QByteArray& section, const QString& name = "English") {
        form->client1->setManager(nullptr);
        QDir(root.path()).mkpath("lang");
        writeFile(root.filePath("lang/" + name + ".lng"), "[Tmainfrm]\r\n" + section);
        core->ChangeFolder(root.filePath("lang"));
        core->ChangeLanguage(name);
        core->LoadLanguageFile(); // same name as before: reopen the rewritten file
        form->client1->setManager(manager.get());
    }
    void translate() { form->client1->Translate(); }

    test::LanguageFolderScope root;
    std::unique_ptr<TbsCorePolyglot> core;
    std::unique_ptr<TbsPolyglotManager> manager;
    std::unique_ptr<Tmainfrm> form;
};

QString errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Exception& e) {
        return e.message();
    }
    return "no error";
}

} // namespace

TEST_F(TranslatorTest, TextsWalkOwnedComponentsAndCollections) {
    useLanguage("Caption='Tarnwell - TWL-Calculator'\r\n"
                "AMOUNTLBL.caption='Loan amount'\r\n"
                "mpanel.status.Caption='via the panel'\r\n"
                "loanview.Columns.Items(0).Caption='Payment #'\r\n"
                "loanview.Columns.Items(4).Caption=Balance\r\n"
                "loanview.Columns.Items(5).Caption=sixth\r\n"
                "loanview.Columns.Items(-1).Caption=none\r\n"
                "loanview.Columns.Items(99999).Caption=none\r\n"
                "loanview.Columns.Items(x).Caption=none\r\n"
                "loanview.Columns.Item($1).Width=0x20\r\n"
                "loanexp.Messages.SaveTitle='Save the schedule'\r\n"
                "amountlbl.Font.Name='Arial'\r\n"
                "amountlbl.Font.Size=12\r\n");
    translate();
    EXPECT_EQ(form->Caption, "Tarnwell - TWL-Calculator");
    EXPECT_EQ(form->amountlbl->Caption, "Loan amount");
    EXPECT_EQ(form->status->Caption, "via the panel");
    const auto& columns = form->loanview->Columns()->m_items;
    EXPECT_EQ(columns[0]->Caption, "Payment #");
    EXPECT_EQ(columns[4]->Caption, "Balance");
    EXPECT_EQ(columns[1]->Width, 32); // the word before "(" plays no part
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(columns[static_cast<size_t>(i)]->Caption, "");
    EXPECT_EQ(form->loanexp->Messages()->SaveTitle, "Save the schedule");
    EXPECT_EQ(form->amountlbl->Font()->Name(), "Arial");
    EXPECT_EQ(form->amountlbl->Font()->Height(), -16);
}

TEST_F(TranslatorTest, APropertyHidesAComponentOfTheSameName) {
    useLanguage("Status.Caption=shadowed\r\n"
                "mpanel.amountlbl.Caption=child\r\n");
    translate();
    EXPECT_EQ(form->Status, "shadowed"); // the rest of the path is ignored
    EXPECT_EQ(form->status->Caption, "");
    EXPECT_EQ(form->amountlbl->Caption, "child");
}

TEST_F(TranslatorTest, ChildControlsAreReachedOnlyThroughTheirParent) {
    // A control placed on the panel but owned by another window.
    QWidget other;
    auto* foreign = new twltest::TLabel(form->mpanel, "foreign");
    foreign->setProperty("Owner", QVariant::fromValue<QObject*>(&other));
    useLanguage("mpanel.FOREIGN.Caption='through the panel'\r\n"
                "foreign.Caption=direct\r\n");
    translate();
    EXPECT_EQ(foreign->Caption, "through the panel");
}

TEST_F(TranslatorTest, TextValuesAreDecodedLiterals) {
    useLanguage("Caption=x\r\n"
                "Status='It''s'#13#10'two lines'\r\n"
                "amountlbl.Caption=Plain text\r\n"
                "otherlbl.Caption=''\r\n");
    form->otherlbl->Caption = "before";
    translate();
    EXPECT_EQ(form->Caption, ""); // one character decodes to nothing
    EXPECT_EQ(form->Status, "It's\r\ntwo lines");
    EXPECT_EQ(form->amountlbl->Caption, "Plain text");
    EXPECT_EQ(form->otherlbl->Caption, "");
}

TEST_F(TranslatorTest, IntegersAreClampedFloatsAndBadNumbersGiveZero) {
    useLanguage("amountlbl.Small=99999\r\n"
                "amountlbl.Percent=150\r\n"
                "amountlbl.Unsigned=-5\r\n"
                "amountlbl.Tag=0x7FFFFFFF\r\n"
                "amountlbl.Big=5\r\n"
                "amountlbl.Accel=b\r\n"
                "amountlbl.Ratio=1.25\r\n"
                "otherlbl.Ratio=abc\r\n"
                "otherlbl.Tag=12abc\r\n"
                "loanexp.Messages.Height=$FF\r\n"
                "amountlbl.Styles=fsBold\r\n");
    form->otherlbl->Tag = 9;
    translate();
    EXPECT_EQ(form->amountlbl->Small, 32767);
    EXPECT_EQ(form->amountlbl->Percent, 100);
    EXPECT_EQ(form->amountlbl->Unsigned, 0u);
    EXPECT_EQ(form->amountlbl->Tag, 0x7FFFFFFF);
    EXPECT_EQ(form->amountlbl->Big, 1);            // 64-bit integers are not translated
    EXPECT_EQ(form->amountlbl->Accel, QChar('a')); // nor are characters
    EXPECT_EQ(form->amountlbl->Styles.toInt(), 0); // nor sets
    EXPECT_DOUBLE_EQ(form->amountlbl->Ratio, 1.25);
    EXPECT_DOUBLE_EQ(form->otherlbl->Ratio, 0.0);
    EXPECT_EQ(form->otherlbl->Tag, 0);
    EXPECT_EQ(form->loanexp->Messages()->Height, 255);
}

TEST_F(TranslatorTest, EnumerationsAndBooleansByMemberName) {
    useLanguage("amountlbl.Alignment=TACENTER\r\n"
                "amountlbl.Transparent=tRuE\r\n"
                "otherlbl.Transparent=True\r\n");
    translate();
    EXPECT_EQ(form->amountlbl->Alignment, twltest::TLabel::taCenter);
    EXPECT_TRUE(form->amountlbl->Transparent);
    useLanguage("otherlbl.Transparent=FALSE\r\n");
    translate();
    EXPECT_FALSE(form->otherlbl->Transparent);
}

TEST_F(TranslatorTest, AnUnknownMemberStopsTheTranslationWithTheError) {
    useLanguage("amountlbl.Caption=first\r\n"
                "amountlbl.Transparent=Yes\r\n"
                "otherlbl.Caption=never\r\n");
    int after = 0;
    form->client1->AfterTranslate = [&](QObject*) { ++after; };
    EXPECT_EQ(errorOf([&] { translate(); }), "Invalid property element: Yes");
    EXPECT_EQ(form->amountlbl->Caption, "first");
    EXPECT_EQ(form->otherlbl->Caption, "");
    EXPECT_EQ(after, 0);

    useLanguage("amountlbl.Alignment=2\r\n");
    EXPECT_EQ(errorOf([&] { translate(); }), "Invalid property element: 2");
}

TEST_F(TranslatorTest, StringListsTakeTheQuotedListUnderStringsOnly) {
    QByteArray list = "messages.Lines.Strings=";
    for (int i = 0; i < 98; ++i)
        list += "'line " + QByteArray::number(i) + "',";
    list += "'Inputs','Amount: ','Months: ','Rate: ','Date: '\r\n";
    useLanguage(list + "messages.Lines.strings=wrong case\r\n"
                       "messages.Lines.Text=not a list path\r\n"
                       "messages.Items.Strings=a,,b,\r\n");
    translate();
    const QStringList lines = form->messages->Lines()->m_lines;
    ASSERT_EQ(lines.size(), 103);
    EXPECT_EQ(lines[0], "line 0");
    EXPECT_EQ(lines.mid(98), (QStringList{"Inputs", "Amount: ", "Months: ", "Rate: ", "Date: "}));
    EXPECT_EQ(form->messages->Items, (QStringList{"a", "", "b", ""}));
}

TEST_F(TranslatorTest, NamesAndLocalizationComponentsAreNotReachable) {
    useLanguage("loanexp.ListView.objectName=renamed\r\n"
                "loanexp.Name=renamed\r\n"
                "loanexp.ListView.Columns.Items(2).Caption=through a reference\r\n"
                "client1.Manager.CurrentLang=Deutsch\r\n"
                "client1.objectName=renamed\r\n");
    writeFile(root.filePath("lang/Deutsch.lng"), "[Tmainfrm]\r\nCaption='Deutsch'\r\n");
    core->RescanLanguages();
    core->ChangeLanguage("English");
    translate();
    EXPECT_EQ(form->loanview->objectName(), "loanview");
    EXPECT_EQ(form->loanexp->objectName(), "loanexp");
    EXPECT_EQ(form->client1->objectName(), "client1");
    EXPECT_EQ(form->loanview->Columns()->m_items[2]->Caption, "through a reference");
    EXPECT_EQ(core->CurrentLanguage(), "English");
}

TEST_F(TranslatorTest, WithoutManagerOnlyTheEventsRun) {
    useLanguage("Caption='translated'\r\n");
    QStringList calls;
    form->client1->BeforeTranslate = [&](QObject* s) {
        calls << (s == form->client1 ? "before" : "?");
    };
    form->client1->AfterTranslate = [&](QObject*) { calls << "after"; };
    form->client1->setManager(nullptr);
    EXPECT_EQ(manager->TranslatorCount(), 0);
    translate();
    EXPECT_EQ(calls, (QStringList{"before", "after"}));
    EXPECT_EQ(form->Caption, "designed caption");

    form->client1->setManager(manager.get());
    form->client1->Loaded();
    EXPECT_EQ(form->Caption, "translated");
}

TEST_F(TranslatorTest, NoFileOrNoSectionChangesNothingButCallsTheEvents) {
    int calls = 0;
    form->client1->BeforeTranslate = [&](QObject*) { ++calls; };
    form->client1->AfterTranslate = [&](QObject*) { ++calls; };
    translate(); // no language file at all
    EXPECT_EQ(calls, 2);
    QDir(root.path()).mkpath("lang");
    writeFile(root.filePath("lang/English.lng"), "[Tother]\r\nCaption='other'\r\n");
    core->ChangeFolder(root.filePath("lang"));
    translate();
    EXPECT_EQ(calls, 6); // the language change translated once more
    EXPECT_EQ(form->Caption, "designed caption");
}

TEST_F(TranslatorTest, ALanguageChangeRetranslatesRegisteredForms) {
    QDir(root.path()).mkpath("lang");
    writeFile(root.filePath("lang/English.lng"),
              "[Tmainfrm]\r\nCaption='Loan calculator'\r\namountlbl.Caption='Loan amount'\r\n");
    writeFile(root.filePath("lang/Deutsch.lng"), "[Tmainfrm]\r\nCaption='Kreditrechner'\r\n");
    manager->setLangsDir(root.filePath("lang"));
    EXPECT_EQ(form->Caption, "Loan calculator"); // English before the first listed
    EXPECT_EQ(form->amountlbl->Caption, "Loan amount");
    manager->setCurrentLang("Deutsch");
    EXPECT_EQ(form->Caption, "Kreditrechner");
    EXPECT_EQ(form->amountlbl->Caption, "Loan amount"); // not mentioned: kept

    // A second window registered with the same manager follows too.
    Tmainfrm second;
    second.client1->setManager(manager.get());
    manager->setCurrentLang("English");
    EXPECT_EQ(second.Caption, "Loan calculator");
}

TEST_F(TranslatorTest, DataModulesAndFramesAreTranslatedToo) {
    QObject module;
    auto* moduleTranslator = new TbsPolyglotTranslator(&module);
    moduleTranslator->setManager(manager.get());
    auto* frame = new Tmainfrm; // embedded: a frame
    frame->setParent(form.get());
    useLanguage("Caption='framed'\r\n");
    EXPECT_NO_THROW(moduleTranslator->Translate());
    // Components of an embedded frame name it as their owner.
    frame->client1->setProperty("Owner", QVariant::fromValue<QObject*>(frame));
    frame->client1->setManager(manager.get());
    frame->client1->Translate();
    EXPECT_EQ(frame->Caption, "framed");
}

TEST_F(TranslatorTest, HostileLanguageFilesTranslateWhatTheyCan) {
    QByteArray text = "[Tmainfrm]\r\n";
    // Binary noise, overlong and odd lines, walks into anything.
    for (int i = 0; i < 4096; ++i)
        text += static_cast<char>((i * 131 + 7) % 256 == 0 ? 1 : (i * 131 + 7) % 256);
    text += "\r\n";
    text += "amountlbl.Caption='" + QByteArray(200000, 'x') + "\r\n"; // unbalanced quote
    text += "messages.Lines.Strings='a,'b''c,'" + QByteArray(100000, ',') + "\r\n";
    text += QByteArray(300000, '.') + "=dots\r\n";
    QByteArray deep;
    for (int i = 0; i < 50000; ++i)
        deep += "loanexp.Messages.";
    text += deep + "SaveTitle=deep\r\n";
    text += "loanview.Columns.Items(99999999999999).Caption=x\r\n";
    text += "loanview.Columns.Items(-2147483648).Caption=x\r\n";
    text += "loanview.Columns.Items(0).Caption.Text.More=x\r\n";
    text += "loanview.Columns.Items(1=unbalanced\r\n";
    text += "amountlbl.Font=oops\r\n";
    text += "amountlbl.Percent='text for a number'\r\n";
    text += "amountlbl.Caption.Length=5\r\n";
    // 100,000 keys, each a different path, and the last one reaches a label.
    for (int i = 0; i < 100000; ++i)
        text += "nothing" + QByteArray::number(i) + ".Caption='" + QByteArray::number(i) + "'\r\n";
    text += "otherlbl.Caption='last key'\r\n";
    text += "[Tmainfrm]\r\nCaption='from the repeated section'\r\n";
    text.insert(text.indexOf("amountlbl.Font=oops"),
                "loanview.Columns.Items(2).Caption='kept'\r\n");

    form->client1->setManager(nullptr);
    QDir(root.path()).mkpath("lang");
    writeFile(root.filePath("lang/English.lng"), text);
    core->ChangeFolder(root.filePath("lang"));
    form->client1->setManager(manager.get());
    EXPECT_NO_THROW(translate());
    EXPECT_EQ(form->amountlbl->Caption, "");
    EXPECT_EQ(form->loanview->Columns()->m_items[2]->Caption, "kept");
    EXPECT_EQ(form->loanexp->Messages()->SaveTitle, "Save document");
    EXPECT_EQ(form->amountlbl->Percent, 0);
    EXPECT_EQ(form->Caption, "designed caption"); // the repeated section is never read
    EXPECT_EQ(form->otherlbl->Caption, "last key");
    const QStringList lines = form->messages->Lines()->m_lines;
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], "a,");
    EXPECT_EQ(lines[1], "b''c");
    EXPECT_EQ(lines[2].size(), 100000);
}

TEST_F(TranslatorTest, ATenMegabyteFileIsRead) {
    QByteArray text = "[Tmainfrm]\r\nCaption='big'\r\n[Padding]\r\n";
    const QByteArray line = "k=" + QByteArray(1000, 'v') + "\r\n";
    while (text.size() < 10 * 1024 * 1024)
        text += line;
    form->client1->setManager(nullptr);
    QDir(root.path()).mkpath("lang");
    writeFile(root.filePath("lang/English.lng"), text);
    core->ChangeFolder(root.filePath("lang"));
    form->client1->setManager(manager.get());
    translate();
    EXPECT_EQ(form->Caption, "big");
}

TEST_F(TranslatorTest, TheShippedEnglishFileLabelsTheInputsRow) {
    const QString shipped =
        QDir::cleanPath(test::testDataDir() + QStringLiteral("/../../language/English.lng"));
    ASSERT_TRUE(QFileInfo(shipped).isFile());
    form->client1->setManager(nullptr);
    QDir(root.path()).mkpath("lang");
    QFile::copy(shipped, root.filePath("lang/English.lng"));
    core->ChangeFolder(root.filePath("lang"));
    form->client1->setManager(manager.get());
    translate();
    EXPECT_EQ(form->Caption, "Tarnwell - TWL-Calculator");
    EXPECT_EQ(form->amountlbl->Caption, "Loan Amount");
    const auto& columns = form->loanview->Columns()->m_items;
    EXPECT_EQ(columns[0]->Caption, "Payment #");
    EXPECT_EQ(columns[4]->Caption, "Balance");
    EXPECT_EQ(form->loanexp->Messages()->SaveTitle, "Save Document");
    const QStringList lines = form->messages->Lines()->m_lines;
    ASSERT_EQ(lines.size(), 103);
    for (int i = 98; i <= 102; ++i) {
        ASSERT_FALSE(lines[i].isEmpty()) << i;
        EXPECT_TRUE(lines[i].back() == ' ' || lines[i].back() == ':') << i;
        EXPECT_LE(lines[i].size(), 12) << "fits its column: " << lines[i];
    }
}

#include "moc_TranslatorStandIns.cpp"

TEST_F(TranslatorTest, SetsAndQtsOwnPropertiesAreLeftAlone) {
    form->amountlbl->setToolTip("tip");
    useLanguage("amountlbl.Borders=[fsBold]\r\n"
                "amountlbl.Borders=0\r\n"
                "otherlbl.Borders=\r\n"
                "windowOpacity=0.5\r\n"
                "styleSheet='QWidget{background:red}'\r\n"
                "amountlbl.toolTip='x'\r\n"
                "amountlbl.objectName='renamed'\r\n"
                "amountlbl.enabled=False\r\n"
                "amountlbl.Caption='still translated'\r\n");
    EXPECT_NO_THROW(translate());
    EXPECT_EQ(form->amountlbl->Borders, 3);
    EXPECT_EQ(form->otherlbl->Borders, 3);
    EXPECT_EQ(form->windowOpacity(), 1.0);
    EXPECT_EQ(form->styleSheet(), "");
    EXPECT_EQ(form->amountlbl->toolTip(), "tip");
    EXPECT_EQ(form->amountlbl->objectName(), "amountlbl");
    EXPECT_TRUE(form->amountlbl->isEnabled());
    EXPECT_EQ(form->amountlbl->Caption, "still translated");
}
