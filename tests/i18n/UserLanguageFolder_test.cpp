// SPDX-License-Identifier: GPL-3.0-or-later
// The user's own language folder beside the shipped one.
#include "i18n/bsINIFile.h"
#include "i18n/bsPolyglotUn.h"
#include "tests/i18n/LanguageFolder.h"
#include "tests/support/TestSupport.h"

#include <QFileInfo>

using namespace twl;

namespace {

QStringList listed(const TbsCorePolyglot& core) {
    QStringList names;
    for (int i = 0; i < core.LanguageCount(); ++i)
        names << core.LanguageAt(i);
    return names;
}

QString title(const TbsCorePolyglot& core) {
    QString text;
    return core.LookUpResourceString(65432, text) ? text : QStringLiteral("(none)");
}

QByteArray titled(const QByteArray& text) {
    return "[ResourceStrings]\n65432=" + text + "\n";
}

} // namespace

TEST(UserLanguageFolder, TheUsersFileOfTheSameNameWinsAndBothFoldersAreListed) {
    test::LanguageFolderScope root;
    ASSERT_TRUE(root.isValid());
    root.language("shipped", "English", titled("shipped English"));
    root.language("shipped", "Deutsch", titled("shipped Deutsch"));
    root.language("own", "deutsch", titled("own Deutsch"));
    root.language("own", "Klingon", titled("own Klingon"));
    TbsCorePolyglot core;
    core.ChangeFolder(root.folder("shipped"));
    EXPECT_EQ(listed(core), QStringList({"Deutsch", "English"}));

    core.ChangeUserFolder(root.filePath("own")); // a separator is added
    EXPECT_EQ(core.UserLanguagesFolder(), root.folder("own"));
    // One entry per name, the user's spelling, sorted whichever folder holds it.
    EXPECT_EQ(listed(core), QStringList({"deutsch", "English", "Klingon"}));
    EXPECT_EQ(core.CurrentLanguage(), "English");
    EXPECT_EQ(title(core), "shipped English");
    core.ChangeLanguage("DEUTSCH");
    EXPECT_EQ(title(core), "own Deutsch");
    core.ChangeLanguage("Klingon");
    EXPECT_EQ(title(core), "own Klingon");

    // A user's English replaces the shipped one for a user who asked for nothing.
    root.language("own", "English", titled("own English"));
    core.ChangeUserFolder(QString());
    EXPECT_EQ(listed(core), QStringList({"Deutsch", "English"}));
    core.ChangeUserFolder(root.folder("own"));
    core.ChooseLanguage("Vulcan");
    EXPECT_EQ(title(core), "own English");

    // A missing user folder lists the shipped languages alone.
    core.ChangeUserFolder(root.filePath("nobody/here"));
    EXPECT_EQ(listed(core), QStringList({"Deutsch", "English"}));
}

TEST(UserLanguageFolder, AChangedShippedFileIsWrittenToTheUsersFolderOnly) {
    test::LanguageFolderScope root;
    ASSERT_TRUE(root.isValid());
    root.language("shipped", "English", "[A]\nk=shipped\n");
    const QString shipped = root.folder("shipped") + "English.lng";
    const QString own = root.filePath("data/tarnwell/language/English.lng");
    {
        TbsINIFile file(shipped);
        file.setSaveTarget(own);
        EXPECT_EQ(file.ReadString("A", "k", ""), "shipped");
        file.WriteString("A", "k", "changed");
        file.release();
    }
    EXPECT_EQ(test::readFile(shipped), "[A]\nk=shipped\n");
    EXPECT_EQ(TbsINIFile(own).ReadString("A", "k", ""), "changed");
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    for (const char* folder : {"data", "data/tarnwell/language"})
        EXPECT_EQ(QFileInfo(root.filePath(folder)).permissions() & others, QFile::Permissions())
            << folder << " is not private";

    // An unchanged file writes nothing anywhere.
    QFile::remove(own);
    TbsINIFile(shipped).setSaveTarget(own);
    EXPECT_FALSE(QFileInfo::exists(own));
}
