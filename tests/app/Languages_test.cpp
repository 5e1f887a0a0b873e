// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's languages as a user meets them: the language folder
// beside the program, the shipped translations, the user's choice, and what
// a language file may and may not change.

#include "app/ExportCliFonts.h"
#include "app/LanguageChoice.h"
#include "app/MainWindow.h"
#include "app/Prompts.h"
#include "app/SplashWindow.h"
#include "base/Format.h"
#include "base/Windows1252.h"
#include "export/kxListViewExport.h"
#include "export/writers/kxWriterTypeset.h"
#include "i18n/bsINIFile.h"
#include "i18n/bsPolyglotUn.h"
#include "i18n/bsPolyglotUnModel.h"
#include "i18n/bsPolyglotUnOwners.h"
#include "i18n/bsPolyglotUnWindows.h"
#include "i18n/bsStrUtils.h"
#include "tests/app/ProgramFolder.h"
#include "tests/i18n/LanguageFolder.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Controls.h"
#include "toolkit/ListView.h"
#include "widgets/LbSpeedButton.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>

using namespace twl;

namespace {

class Languages : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(cwd.isValid());
        ASSERT_TRUE(program.isValid());
        useFontDocuments();
    }
    void TearDown() override {
        TbsCorePolyglot::Release();
        setCommandLineLanguage(QString());
    }
    // The main window as the program builds it: the core first.
    std::unique_ptr<Tmainfrm> start() {
        TbsCorePolyglot::Create();
        return std::make_unique<Tmainfrm>();
    }

    test::LanguageFolderScope cwd; // the current directory, away from the program
    test::ProgramFolderScope program;
    test::RegionalScope regional{QLatin1Char('.'), QStringLiteral("yyyy-MM-dd")};
    test::ClockScope clock{QDateTime(QDate(2026, 12, 7), QTime(9, 30))};
};

// The value a key of the main window's section reaches, read back from the
// window: components by name, properties, collection items.
QString valueAt(QObject* root, const QString& key) {
    QObject* obj = root;
    const QStringList parts = key.split('.');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part.startsWith("Items(")) {
            obj = polyglot::collectionItem(obj, part.mid(6).chopped(1).toInt());
        } else if (const QMetaProperty p = polyglot::findPublishedProperty(obj, part);
                   p.isValid()) {
            const QVariant v = p.read(obj);
            if (i + 1 == parts.size()) return v.toString();
            obj = v.value<QObject*>();
        } else {
            obj = polyglot::findOwnedComponent(obj, part);
        }
        if (!obj) return QStringLiteral("<%1 reaches nothing>").arg(key);
    }
    return QStringLiteral("<%1 is not a value>").arg(key);
}

QStringList placeholders(const QString& text) {
    QStringList found;
    const QRegularExpression re(QStringLiteral("%[0-9:.-]*[a-z]"));
    for (auto it = re.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    return found;
}

QStringList shippedLanguages() {
    return QDir(test::ShippedLanguages).entryList({"*.lng"}, QDir::Files, QDir::Name);
}

void calculate(Tmainfrm& form) {
    form.amountedt->setText("1000");
    form.monthsedt->setText("12");
    form.interestedt->setText("12");
    form.calcbtnClick(nullptr);
}

} // namespace

TEST_F(Languages, EnglishIsChosenBesideTheProgramWhereverTheProgramStarts) {
    program.language("Aardvark", "Caption='Aardvark'\r\n");
    program.language("English", "Caption='English'\r\n");
    // An editor's lock link beside them is no language.
    QFile::link("user@host.99", program.filePath("language/.#English.lng"));
    {
        auto form = start(); // from a directory without languages
        EXPECT_EQ(form->lngmanager->CurrentLang(), "English");
        EXPECT_EQ(form->Caption(), "English");
    }
    TbsCorePolyglot::Release();
    QDir::setCurrent(program.path()); // from the program's folder: "./Language/" finds language/
    auto form = start();
    EXPECT_EQ(form->lngmanager->CurrentLang(), "English");
    EXPECT_EQ(form->Caption(), "English");
}

TEST_F(Languages, AUsersOwnFileIsNeverTheDefault) {
    program.ship("English.lng");
    program.ship("Deutsch.lng");
    QTemporaryDir own;
    // Listed before English: the first language found, were it ever a fallback.
    test::writeFile(own.filePath("Aardvark.lng"), "[Tmainfrm]\r\ncalcbtn.Caption='Dig'\r\n");
    const auto startWithUserFolder = [&] {
        TbsCorePolyglot::Create()->ChangeUserFolder(own.path());
        return std::make_unique<Tmainfrm>();
    };
    {
        auto form = startWithUserFolder();
        EXPECT_EQ(form->lngmanager->CurrentLang(), "English");
        EXPECT_EQ(form->calcbtn->Caption(), "&Calculate");
    }
    TbsCorePolyglot::Release();
    setCommandLineLanguage("aardvark"); // chosen, it is used
    auto form = startWithUserFolder();
    EXPECT_EQ(form->calcbtn->Caption(), "Dig");
}

TEST_F(Languages, SetsAndQtsOwnPropertiesInALanguageFileChangeNothing) {
    TkxListViewExport defaults;
    program.language("English", "loanexp.Options=[xoShowHeader,xoShowTitle]\r\n"
                                "loanexp.ExportTypes=[xtHTML,xtCSV]\r\n"
                                "loanexp.HTML.Options=[]\r\n"
                                "windowOpacity=0.5\r\n"
                                "styleSheet='QWidget{background:red}'\r\n"
                                "amountlbl.text='x'\r\n"
                                "amountlbl.Caption='Amount'\r\n");
    auto form = start();
    EXPECT_EQ(form->loanexp->Options(), defaults.Options());
    EXPECT_EQ(form->loanexp->ExportTypes(), kxWindowExportTypes); // the main window's own
    EXPECT_EQ(form->loanexp->HTML()->Options(), defaults.HTML()->Options());
    EXPECT_EQ(form->windowOpacity(), 1.0);
    EXPECT_EQ(form->styleSheet(), "");
    EXPECT_EQ(form->amountlbl->Caption(), "Amount");
}

TEST_F(Languages, TheWindowsPromptsFollowTheLanguage) {
    program.language("Deutsch",
                     "prompts.FileExists='Die Datei %s ist bereits vorhanden.'#10'Ersetzen?'\r\n"
                     "prompts.NoSource='Keine Tabelle.'\r\n");
    auto form = start();
    ASSERT_EQ(form->lngmanager->CurrentLang(), "Deutsch");
    EXPECT_EQ(form->prompts->ExportFailed, "The export to %s failed:\n%s"); // English default

    calculate(*form);
    const QString target = program.filePath("schedule.csv");
    test::writeFile(target, "old");
    form->loanexp->setExportType(xtCSV);
    form->loanexp->setExportStyle(xsFile);
    form->loanexp->setFileName(target);
    QString asked;
    test::answerNextModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        asked = box->text();
        box->button(QMessageBox::No)->click();
    });
    form->loanexp->ExportData();
    EXPECT_EQ(asked, "Die Datei " + target + " ist bereits vorhanden.\nErsetzen?");
    EXPECT_EQ(test::readFile(target), "old");

    QString told;
    test::answerNextModal([&](QWidget* w) {
        told = qobject_cast<QMessageBox*>(w)->text();
        qobject_cast<QMessageBox*>(w)->accept();
    });
    form->loanexp->setListView(nullptr);
    form->loanexp->ExportData();
    EXPECT_EQ(told, "Keine Tabelle.");
}

TEST_F(Languages, TheSettingsFileChoosesAndTheCommandLineWins) {
    for (const QString& f : shippedLanguages())
        program.ship(f);
    program.settings("[Settings]\r\nLanguage=deutsch\r\n");
    {
        auto form = start();
        EXPECT_EQ(form->lngmanager->CurrentLang(), "Deutsch"); // the file's spelling
        EXPECT_EQ(form->calcbtn->Caption(), "&Berechnen");
    }
    TbsCorePolyglot::Release();
    setCommandLineLanguage("FRANCAIS");
    {
        auto form = start();
        EXPECT_EQ(form->lngmanager->CurrentLang(), "Francais");
        EXPECT_EQ(form->calcbtn->Caption(), "&Calculer");
    }
    TbsCorePolyglot::Release();

    // An unknown name: the default language, and the user is told which there
    // are, once the splash window that covers the start is gone.
    setCommandLineLanguage("Klingon");
    QString told;
    QWidget* parent = nullptr;
    bool splashShown = false;
    test::answerNextModal([&](QWidget* w) {
        told = qobject_cast<QMessageBox*>(w)->text();
        parent = w->parentWidget();
        for (QWidget* top : QApplication::topLevelWidgets())
            splashShown = splashShown || (qobject_cast<Tsplashfrm*>(top) && top->isVisible());
        qobject_cast<QMessageBox*>(w)->accept();
    });
    auto splash = std::make_unique<Tsplashfrm>();
    splash->show();
    auto form = start();
    EXPECT_EQ(form->lngmanager->CurrentLang(), "English");
    EXPECT_EQ(told, "") << "shown while the window was being built";
    splash.reset();
    form->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(told,
              "There is no language named Klingon. The calculator starts in its default language.\n"
              "Languages: Deutsch, English, Espanol, Francais");
    EXPECT_EQ(parent, form.get());
    EXPECT_FALSE(splashShown);
}

TEST_F(Languages, EveryShippedFileHasEnglishsKeysAndTranslatesTheWindow) {
    const QStringList files = shippedLanguages();
    ASSERT_GE(files.size(), 4);
    const TbsINIFile english(test::ShippedLanguages + "English.lng");
    const QStringList englishKeys = english.ReadSection("Tmainfrm");
    ASSERT_FALSE(englishKeys.isEmpty());
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        const QByteArray bytes = test::readFile(test::ShippedLanguages + file);
        TextFileEncoding encoding{};
        decodeTextFile(bytes, encoding);
        const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char b) { return b > 0; });
        EXPECT_TRUE(ascii || encoding == TextFileEncoding::Utf8) << "neither ASCII nor UTF-8";
        const TbsINIFile lng(test::ShippedLanguages + file);
        EXPECT_EQ(lng.ReadSections(), english.ReadSections());
        EXPECT_EQ(lng.ReadSection("Tmainfrm"), englishKeys);

        program.ship(file);
        const QString name = FileNameWithoutExt(file);
        setCommandLineLanguage(name);
        std::unique_ptr<Tmainfrm> form;
        ASSERT_NO_THROW(form = start());
        EXPECT_EQ(form->lngmanager->CurrentLang(), name);
        for (const QString& key : englishKeys) {
            const QString raw = lng.ReadString("Tmainfrm", key, QString());
            if (key == "messages.Lines.Strings") {
                EXPECT_EQ(form->messages->Lines()->Strings(), SplitQuotedList(raw));
                EXPECT_EQ(form->messages->Lines()->Count(), 103);
                continue;
            }
            const QString text = DecodeLiteral(raw);
            EXPECT_FALSE(text.isEmpty()) << key.toStdString();
            EXPECT_EQ(valueAt(form.get(), key), text) << key.toStdString();
            // Documents are written in the code page: no letter may turn into "?".
            EXPECT_EQ(Windows1252Codec::decode(Windows1252Codec::encode(text)), text)
                << key.toStdString();
            EXPECT_EQ(placeholders(text),
                      placeholders(DecodeLiteral(english.ReadString("Tmainfrm", key, ""))))
                << key.toStdString();
        }
        calculate(*form);
        ASSERT_EQ(form->loanview->itemCount(), 14);
        const QStringList lines = form->messages->Lines()->Strings();
        for (int c = 0; c < 5; ++c) {
            EXPECT_FALSE(lines[98 + c].isEmpty());
            EXPECT_TRUE(form->loanview->cellText(13, c).startsWith(lines[98 + c]));
        }
        form.reset();
        TbsCorePolyglot::Release();
        program.unship(file);
    }
}
