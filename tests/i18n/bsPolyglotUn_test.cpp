// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Exceptions.h"
#include "base/ResourceStrings.h"
#include "i18n/bsPolyglotUnWindows.h"
#include "tests/i18n/LanguageFolder.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <memory>

using namespace twl;
using twl::test::writeFile;

namespace {

class CoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(root.isValid()); }
    void TearDown() override { core.reset(); }
    QString folder(const QString& name) const { return root.folder(name); }
    void language(const QString& dir, const QString& name, const QByteArray& text = "[X]\n") {
        root.language(dir, name, text);
    }
    void startCore() { core = std::make_unique<TbsCorePolyglot>(); }

    test::LanguageFolderScope root;
    std::unique_ptr<TbsCorePolyglot> core;
};

// Counts how often the core had the managers translate.
struct TranslationCounter {
    explicit TranslationCounter(TbsPolyglotManager& m) {
        m.BeforeAllTranslate = [this](QObject*) { ++count; };
    }
    int count = 0;
};

constexpr ResourceString STestString{65432, "built-in text"};
constexpr ResourceString SOtherString{4099, "other built-in"};

} // namespace

TEST_F(CoreTest, OneInstancePerProcess) {
    EXPECT_EQ(TbsCorePolyglot::GetCorePolyglot(), nullptr);
    startCore();
    EXPECT_EQ(TbsCorePolyglot::GetCorePolyglot(), core.get());
    try {
        TbsCorePolyglot second;
        FAIL() << "a second core was created";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), "Core Multi Lang is single instance class. Please use "
                               "GetCorePolyglot class function to obtain an instance.");
    }
    EXPECT_EQ(TbsCorePolyglot::GetCorePolyglot(), core.get());
    core.reset();
    EXPECT_EQ(TbsCorePolyglot::GetCorePolyglot(), nullptr);
    EXPECT_FALSE(hasResourceLookup());
}

TEST_F(CoreTest, StartsInTheLanguageFolderWithEnglishElseTheFirstLanguage) {
    language("Language", "Deutsch");
    language("Language", "English");
    startCore();
    EXPECT_EQ(core->LanguagesFolder(), "./Language/");
    EXPECT_EQ(core->LanguageCount(), 2);
    EXPECT_EQ(core->CurrentLanguage(), "English");
    EXPECT_TRUE(core->HasLanguageFile());
    EXPECT_TRUE(core->Hook().Active());
    core.reset();

    QFile::remove(root.filePath("Language/English.lng"));
    language("Language", "Zulu");
    startCore();
    EXPECT_EQ(core->CurrentLanguage(), "Deutsch");
    core.reset();

    QDir(root.filePath("Language")).removeRecursively();
    startCore();
    EXPECT_EQ(core->LanguageCount(), 0);
    EXPECT_EQ(core->CurrentLanguage(), "");
    EXPECT_FALSE(core->HasLanguageFile());
}

TEST_F(CoreTest, RescanListsEveryEntryEndingInLng) {
    language("langs", "English");
    language("langs", "Upper", "");
    QFile::rename(folder("langs") + "Upper.lng", folder("langs") + "Upper.LNG");
    QDir(folder("langs")).mkdir("Folder.lng");
    writeFile(folder("langs") + "notes.txt", "x");
    startCore();
    core->ChangeFolder(folder("langs"));
    QStringList names;
    for (int i = 0; i < core->LanguageCount(); ++i)
        names << core->LanguageAt(i);
    EXPECT_EQ(names, (QStringList{"English", "Folder", "Upper"}));
    EXPECT_EQ(core->LanguageAt(3), "");
}

TEST_F(CoreTest, ChangeLanguageAcceptsListedNamesInAnyCaseAndKeepsTheSpelling) {
    language("l", "English", "[ResourceStrings]\n65432=english\n");
    language("l", "Deutsch", "[ResourceStrings]\n65432=deutsch\n");
    startCore();
    TbsPolyglotManager manager;
    TranslationCounter counter(manager);
    core->ChangeFolder(folder("l"));
    EXPECT_EQ(core->CurrentLanguage(), "English"); // nothing was current: English first
    EXPECT_EQ(counter.count, 1);

    manager.setCurrentLang("english");
    EXPECT_EQ(manager.CurrentLang(), "english");
    EXPECT_EQ(LoadResString(STestString), "english"); // the file was found from that spelling
    EXPECT_EQ(counter.count, 2);

    manager.setCurrentLang("english"); // already current: nothing happens
    EXPECT_EQ(counter.count, 2);
    manager.setCurrentLang("Klingon"); // not listed: ignored
    EXPECT_EQ(manager.CurrentLang(), "english");
    EXPECT_EQ(counter.count, 2);

    manager.setCurrentLang("");
    EXPECT_EQ(manager.CurrentLang(), "");
    EXPECT_FALSE(core->HasLanguageFile());
    EXPECT_EQ(LoadResString(STestString), "built-in text");
    EXPECT_EQ(counter.count, 3);
}

TEST_F(CoreTest, AVanishedLanguageCanBecomeCurrentWithoutAFile) {
    language("l", "English");
    language("l", "Deutsch");
    startCore();
    core->ChangeFolder(folder("l"));
    core->ChangeLanguage("English");
    QFile::remove(folder("l") + "Deutsch.lng");
    core->ChangeLanguage("Deutsch");
    EXPECT_EQ(core->CurrentLanguage(), "Deutsch");
    EXPECT_FALSE(core->HasLanguageFile());
}

TEST_F(CoreTest, LangsDirEventsAndFolderRules) {
    language("a", "English", "[ResourceStrings]\n65432=from a\n");
    language("b", "Deutsch");
    folder("empty");
    startCore();
    TbsPolyglotManager manager;
    TranslationCounter counter(manager);
    QStringList seen;
    manager.LangsDirChanging = [&](TbsPolyglotManager* sender, const QString& oldFolder,
                                   const QString& newFolder, bool&) {
        EXPECT_EQ(sender, &manager);
        seen << oldFolder << newFolder;
    };

    const QString a = root.filePath("a");
    manager.setLangsDir(a);
    EXPECT_EQ(seen, (QStringList{"./Language/", a})); // the value exactly as passed
    EXPECT_EQ(manager.LangsDir(), a + '/');
    EXPECT_EQ(manager.CurrentLang(), "English");
    EXPECT_EQ(counter.count, 1);

    manager.setLangsDir(a.toUpper() + '/'); // same folder in another case: nothing
    EXPECT_EQ(manager.LangsDir(), a + '/');
    EXPECT_EQ(counter.count, 1);

    manager.setLangsDir(root.filePath("b")); // lacks English: the first one there
    EXPECT_EQ(manager.CurrentLang(), "Deutsch");
    EXPECT_EQ(counter.count, 2);

    manager.setLangsDir(root.filePath("a"));
    manager.setLangsDir(root.filePath("empty"));
    EXPECT_EQ(manager.CurrentLang(), "");
    EXPECT_EQ(core->LanguageCount(), 0);
    // The file opened before stays open and keeps serving lookups.
    EXPECT_TRUE(core->HasLanguageFile());
    EXPECT_EQ(LoadResString(STestString), "from a");
}

TEST_F(CoreTest, CancelledChangesLeaveEverythingAlone) {
    language("l", "English");
    language("l", "Deutsch");
    startCore();
    core->ChangeFolder(folder("l"));
    core->ChangeLanguage("English");
    TbsPolyglotManager manager;
    TranslationCounter counter(manager);
    QString oldSeen, newSeen;
    manager.CurrentLangChanging = [&](TbsPolyglotManager*, const QString& o, const QString& n,
                                      bool& cancel) {
        oldSeen = o;
        newSeen = n;
        cancel = true;
    };
    manager.LangsDirChanging = [](TbsPolyglotManager*, const QString&, const QString&,
                                  bool& cancel) { cancel = true; };
    manager.setCurrentLang("Deutsch");
    EXPECT_EQ(oldSeen, "English");
    EXPECT_EQ(newSeen, "Deutsch");
    manager.setLangsDir(root.filePath("elsewhere"));
    EXPECT_EQ(manager.CurrentLang(), "English");
    EXPECT_EQ(manager.LangsDir(), folder("l"));
    EXPECT_EQ(counter.count, 0);
}

TEST_F(CoreTest, ManagerWithoutCoreReportsBothMessages) {
    TbsPolyglotManager manager;
    bool called = false;
    manager.CurrentLangChanging = [&](TbsPolyglotManager*, const QString&, const QString&, bool&) {
        called = true;
    };
    auto messageOf = [](auto&& f) {
        try {
            f();
        } catch (const Exception& e) {
            return e.message();
        }
        return QString("no error");
    };
    EXPECT_EQ(messageOf([&] { manager.setCurrentLang("English"); }),
              "Core multi lang is not assigned");
    EXPECT_TRUE(called);
    EXPECT_EQ(messageOf([&] { manager.setLangsDir("x"); }), "Core multi lang is not assigned");
    EXPECT_EQ(messageOf([&] { manager.CurrentLang(); }), "Core polyglot is not assigned.");
    EXPECT_EQ(messageOf([&] { manager.LangsDir(); }), "Core polyglot is not assigned.");
    EXPECT_EQ(messageOf([&] { manager.TranslateResourceStrings(); }),
              "Core polyglot is not assigned.");
    EXPECT_NO_THROW(manager.setTranslateResourceStrings(true));
    EXPECT_NO_THROW(manager.TranslateAll());
}

TEST_F(CoreTest, ResourceStringsFollowTheHookAtOnce) {
    language("Language", "English",
             "[ResourceStrings]\n"
             "4099_Other=\n"                        // an empty replacement still counts
             " 65432 _Title='It''s'#32'replaced'\n" // blanks around the number are trimmed
             "65432=second line, never reached\n");
    startCore();
    TbsPolyglotManager manager;
    EXPECT_TRUE(manager.TranslateResourceStrings());
    EXPECT_EQ(LoadResString(STestString), "It's replaced");
    EXPECT_EQ(LoadResString(SOtherString), "");
    QString text;
    EXPECT_FALSE(core->LookUpResourceString(1, text));

    manager.setTranslateResourceStrings(false);
    EXPECT_FALSE(manager.TranslateResourceStrings());
    EXPECT_EQ(LoadResString(STestString), "built-in text");
    EXPECT_EQ(LoadResString(SOtherString), "other built-in");
    manager.setTranslateResourceStrings(true);
    EXPECT_EQ(LoadResString(STestString), "It's replaced");
    core.reset();
    EXPECT_EQ(LoadResString(STestString), "built-in text");
}

TEST_F(CoreTest, AKeyWithoutUnderscoreMatchesToo) {
    language("Language", "English", "[ResourceStrings]\n065432=padded\n65432=plain\n");
    startCore();
    EXPECT_EQ(LoadResString(STestString), "plain"); // compared as text, not as a number
}

TEST_F(CoreTest, ManagersAndTranslatorsKnowEachOtherWithoutOwning) {
    startCore();
    auto* manager = new TbsPolyglotManager;
    QObject form;
    auto* first = new TbsPolyglotTranslator(&form);
    auto* second = new TbsPolyglotTranslator(&form);
    first->setManager(manager);
    second->setManager(manager);
    first->setManager(manager);
    EXPECT_EQ(manager->TranslatorCount(), 2);

    QStringList order;
    manager->BeforeAllTranslate = [&](QObject* s) { order << (s == manager ? "before" : "?"); };
    first->BeforeTranslate = [&](QObject*) { order << "first"; };
    second->BeforeTranslate = [&](QObject*) { order << "second"; };
    manager->AfterAllTranslate = [&](QObject*) { order << "after"; };
    core->TranslateAllManagers();
    EXPECT_EQ(order, (QStringList{"before", "first", "second", "after"}));

    delete second;
    EXPECT_EQ(manager->TranslatorCount(), 1);
    delete manager;
    EXPECT_EQ(first->Manager(), nullptr);
    order.clear();
    core->TranslateAllManagers(); // the released manager left the core's list
    EXPECT_TRUE(order.isEmpty());
}

TEST_F(CoreTest, ATranslationMayReleaseAnotherManager) {
    language("l", "English");
    language("l", "Deutsch");
    startCore();
    core->ChangeFolder(folder("l"));
    TbsPolyglotManager first;
    auto* second = new TbsPolyglotManager;
    int secondCalls = 0;
    second->BeforeAllTranslate = [&](QObject*) { ++secondCalls; };
    first.BeforeAllTranslate = [&](QObject*) { delete second; };
    first.setCurrentLang("Deutsch");
    EXPECT_EQ(secondCalls, 0);
}

TEST_F(CoreTest, TheStartFolderIsFoundInAnyLetterCaseAndHiddenFilesAreNoLanguages) {
    language("language", "Aardvark");
    language("language", "English");
    // An editor's lock link and a hidden file are never languages.
    QFile::link("user@host.1234", folder("language") + ".#English.lng");
    language("language", ".hidden");
    startCore();
    EXPECT_EQ(core->LanguagesFolder(), "./Language/");
    EXPECT_EQ(core->LanguageCount(), 2);
    EXPECT_EQ(core->LanguageAt(0), "Aardvark");
    EXPECT_EQ(core->LanguageAt(1), "English");
    EXPECT_EQ(core->CurrentLanguage(), "English");
    EXPECT_TRUE(core->HasLanguageFile());
    core.reset();

    // The exact spelling wins over one that differs in case.
    language("Language", "Deutsch");
    startCore();
    EXPECT_EQ(core->LanguageCount(), 1);
    EXPECT_EQ(core->CurrentLanguage(), "Deutsch");
}

TEST_F(CoreTest, MovingToAnotherFolderPrefersEnglishOverTheFirstLanguage) {
    language("beside", "Aardvark");
    language("beside", "English");
    language("elsewhere", "Deutsch");
    // Nothing current before (no start folder): English, not Aardvark.
    startCore();
    EXPECT_EQ(core->CurrentLanguage(), "");
    core->ChangeFolder(folder("beside"));
    EXPECT_EQ(core->CurrentLanguage(), "English");
    // The current language is kept where the new folder has it ...
    core->ChangeLanguage("Aardvark");
    core->ChangeFolder(folder("beside") + "../beside");
    EXPECT_EQ(core->CurrentLanguage(), "Aardvark");
    // ... else English, else the first found.
    core->ChangeFolder(folder("elsewhere"));
    EXPECT_EQ(core->CurrentLanguage(), "Deutsch");
    EXPECT_EQ(core->ListedLanguage("DEUTSCH"), "Deutsch");
    EXPECT_EQ(core->ListedLanguage("Klingon"), "");
}
