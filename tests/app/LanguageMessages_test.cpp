// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own messages in the user's language: the boxes of the window
// and the error lines of twlc-export take them from the language file's
// [ResourceStrings] section; the texts of the documents never do.

#include "app/ExportCli.h"
#include "app/ExportCliFonts.h"
#include "app/LanguageChoice.h"
#include "app/MainWindow.h"
#include "app/Prompts.h"
#include "export/writers/kxWriterTypeset.h"
#include "i18n/bsINIFile.h"
#include "i18n/bsPolyglotUn.h"
#include "i18n/bsStrUtils.h"
#include "tests/app/ProgramFolder.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Controls.h"
#include "toolkit/ListView.h"
#include "widgets/LbSpeedButton.h"

#include <QBuffer>
#include <QDir>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>

using namespace twl;

namespace {

class LanguageMessages : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program.isValid());
        qunsetenv("SOURCE_DATE_EPOCH");
        useFontDocuments();
        for (const QString& f : QDir(test::ShippedLanguages).entryList({"*.lng"}))
            program.ship(f);
    }
    void TearDown() override {
        TbsCorePolyglot::Release();
        setCommandLineLanguage(QString());
    }

    test::ProgramFolderScope program;
    test::RegionalScope regional{QLatin1Char('.'), QStringLiteral("yyyy-MM-dd")};
    test::ClockScope clock{QDateTime(QDate(2026, 12, 7), QTime(9, 30))};
};

struct MessageCase {
    const char* language;
    const char* amount;
    const char* months;
    const char* rate;
    const char* plan; // the [Plan] section's lines
    const char* message;
};

// What Calculate shows in its box.
QString calculateMessage(const MessageCase& c) {
    TbsCorePolyglot::Create();
    Tmainfrm form;
    form.amountedt->setText(QString::fromUtf8(c.amount));
    form.monthsedt->setText(QString::fromUtf8(c.months));
    form.interestedt->setText(QString::fromUtf8(c.rate));
    QString told = "<no box>";
    test::answerNextModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        told = box->text();
        box->accept();
    });
    QTest::mouseClick(form.calcbtn, Qt::LeftButton);
    return told;
}

} // namespace

TEST_F(LanguageMessages, CalculatesBoxSpeaksTheWindowsLanguage) {
    const MessageCase cases[] = {
        {"Deutsch", "1000", "12", "7,5", "", "'7,5' ist kein gültiger Gleitkommawert."},
        {"Francais", "1000", "12", "0", "", "Division par zéro en virgule flottante."},
        {"Espanol", "1000", "80000", "12", "", "Desbordamiento en coma flotante."},
        {"Deutsch", "1000", "12", "12", "Extras=1\r\nExtra1=400=100\r\n",
         "Sondertilgung 1: die Zahlung 400 liegt nach der letzten Zahlung (12)"},
        {"Francais", "1000", "12", "12", "Balloon=2000\r\n",
         "Paiement ballon : le montant 2000 dépasse le montant du prêt (1000)"},
        {"Espanol", "1000", "12", "12", "Extras=1\r\nExtra1=2027-05-31=10\r\n",
         "Pago extra 1: la fecha 2027-05-31 requiere una fecha del primer pago."},
        // English stays as it always read; the box ends a text with "." unless
        // it ends in a sign of lower code, such as ")".
        {"English", "1000", "12", "7,5", "", "'7,5' is not a valid floating point value."},
        {"English", "1000", "12", "12", "Extras=1\r\nExtra1=400=100\r\n",
         "Extra payment 1: the period 400 is after the last payment (12)"},
    };
    for (const MessageCase& c : cases) {
        SCOPED_TRACE(std::string(c.language) + " " + c.message);
        program.settings(QByteArray("[Settings]\r\nLanguage=") + c.language + "\r\n[Plan]\r\n" +
                         c.plan);
        EXPECT_EQ(calculateMessage(c).toStdString(), c.message);
        TbsCorePolyglot::Release();
    }
}

TEST_F(LanguageMessages, OnlyTheMessagesFollowTheFileTheDocumentsTextsStayBuiltIn) {
    // A user's file that tries to rename the SUM row and a message.
    program.language("Aardvark", "Caption='Aardvark'\r\n"
                                 "[ResourceStrings]\r\n1103_SUM='TOTAL'\r\n"
                                 "1002='Keine Division'\r\n");
    program.settings("[Settings]\r\nLanguage=Aardvark\r\n");
    TbsCorePolyglot::Create();
    Tmainfrm form;
    form.amountedt->setText("1000");
    form.monthsedt->setText("12");
    form.interestedt->setText("12");
    form.calcbtnClick(nullptr);
    EXPECT_EQ(form.loanview->itemCaption(12), "SUM");
    form.interestedt->setText("0");
    QString told;
    test::answerNextModal([&](QWidget* w) {
        told = qobject_cast<QMessageBox*>(w)->text();
        qobject_cast<QMessageBox*>(w)->accept();
    });
    QTest::mouseClick(form.calcbtn, Qt::LeftButton);
    EXPECT_EQ(told, "Keine Division.");
}

TEST_F(LanguageMessages, EveryShippedFileTranslatesEveryMessageWithItsPlaceholders) {
    const TbsINIFile english(test::ShippedLanguages + "English.lng");
    const QStringList keys = english.ReadSection("ResourceStrings");
    const QSet<int> messages = userMessageIds();
    for (const QString& key : keys)
        EXPECT_TRUE(messages.contains(TextBefore(u"_", key).toInt())) << key.toStdString();
    const QRegularExpression placeholder("%[0-9:.-]*[a-z]");
    const auto placeholders = [&](const QString& text) {
        QStringList found;
        for (auto it = placeholder.globalMatch(text); it.hasNext();)
            found << it.next().captured();
        return found;
    };
    for (const QString& file : QDir(test::ShippedLanguages).entryList({"*.lng"})) {
        SCOPED_TRACE(file.toStdString());
        const TbsINIFile lng(test::ShippedLanguages + file);
        EXPECT_EQ(lng.ReadSection("ResourceStrings"), keys);
        for (const QString& key : keys) {
            const QString text = DecodeLiteral(lng.ReadString("ResourceStrings", key, ""));
            EXPECT_FALSE(text.isEmpty()) << key.toStdString();
            EXPECT_EQ(placeholders(text),
                      placeholders(DecodeLiteral(english.ReadString("ResourceStrings", key, ""))))
                << key.toStdString();
        }
    }
}

TEST_F(LanguageMessages, TheCommandTellsInTheLanguageItWasGiven) {
    struct Case {
        QStringList arguments;
        const char* line;
    };
    const Case cases[] = {
        {{"--language", "Deutsch", "--amount", "1000", "--rate", "12,5"},
         "'12,5' ist kein gültiger Gleitkommawert.\n"},
        {{"--language", "Francais", "--amount", "1000", "--rate", "12", "--extra", "400=5"},
         "twlc-export: --extra: Paiement supplémentaire 1 : le paiement 400 est après le dernier "
         "paiement (12)\n"},
        {{"--language", "Espanol", "--amount", "1000", "--rate", "12", "--round", "up"},
         "twlc-export: --round: Redondeo: 'up' no es ninguno de none, cent, unit\n"},
        {{"--language", "English", "--amount", "1000", "--rate", "12", "--round", "up"},
         "twlc-export: --round: Rounding: 'up' is not one of none, cent, unit\n"},
        // The command's own usage errors, read before the language is known.
        {{"--language", "Deutsch", "--amount", "1000", "--rate", "12", "--round", "cent", "--round",
          "unit"},
         "twlc-export: --round wird mehr als einmal angegeben\n"},
        {{"--amount", "1000", "--rate", "12", "--balloon", "", "--language=Francais"},
         "twlc-export: --balloon : la valeur est vide\n"},
        {{"--language", "Espanol", "--amount", "1000", "--rate", "12", "--decimal", "abc"},
         "twlc-export: --decimal: 'abc' no es un valor entero válido\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        QBuffer out, err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        const int status = runExportCli(
            QStringList{"--months", "12", "--format", "csv", "-o", "-"} + c.arguments, out, err);
        EXPECT_NE(status, CliOk);
        EXPECT_EQ(err.data().toStdString(), c.line);
        TbsCorePolyglot::Release();
    }
}
