// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers under the C library's real regional locales: generated with
// localedef into a temporary folder, so that the numeric locale the toolkit
// switches to really has "," as its decimal point.

#include "app/MainWindow.h"
#include "base/NumberParse.h"
#include "base/RegionalSettings.h"
#include "tests/app/MainWindowFixture.h"
#include "toolkit/Controls.h"
#include "toolkit/ListView.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <clocale>

using namespace twl;

namespace {

struct Locale {
    const char* name; // as LANG names it
    const char* source;
};
const Locale Locales[] = {{"de_DE.UTF-8", "de_DE"}, {"fr_FR.UTF-8", "fr_FR"}};

class RealLocale : public test::MainWindowFixture {
protected:
    static void SetUpTestSuite() {
        folder = new QTemporaryDir;
        for (const Locale& l : Locales) {
            QProcess p;
            p.start(QStringLiteral("localedef"),
                    {"-i", l.source, "-f", "UTF-8", folder->filePath(l.name)});
            // localedef warns (status 1) about harmless details of some sources.
            if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit ||
                p.exitCode() > 1 || !QFileInfo(folder->filePath(l.name)).isDir()) {
                failure = QStringLiteral("localedef could not build %1: %2")
                              .arg(l.name, QString::fromLocal8Bit(p.readAllStandardError()));
                return;
            }
        }
    }
    static void TearDownTestSuite() {
        delete folder;
        folder = nullptr;
    }
    void SetUp() override {
        if (!failure.isEmpty()) GTEST_SKIP() << failure.toStdString();
        test::MainWindowFixture::SetUp();
    }

    // twlc-export under `locale` (LANG and LC_ALL), its standard output.
    static QByteArray exportUnder(const char* locale, const QString& amount, const QString& rate,
                                  int* status) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LOCPATH", folder->path());
        env.insert("LANG", locale);
        env.insert("LC_ALL", locale);
        env.insert("SOURCE_DATE_EPOCH", "1796635800");
        env.insert("TZ", "UTC");
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TWL_EXPORT_PROGRAM), {"--amount", amount, "--months", "2", "--rate",
                                                     rate, "--format", "tab", "-o", "-"});
        EXPECT_TRUE(p.waitForFinished(60000));
        *status = p.exitCode();
        // The creation date and the inputs row's date are written as the
        // locale writes dates.
        QString text = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
        text.replace(QRegularExpression(QStringLiteral("(Created|Date): [^\\t\\r\\n]*")),
                     QStringLiteral("\\1:"));
        return text.toUtf8();
    }

    static inline QTemporaryDir* folder = nullptr;
    static inline QString failure;
};

TEST_F(RealLocale, TheExportProgramReadsAndWritesTheLocalesDecimalComma) {
    int status = -1;
    const QByteArray plain = exportUnder("C.UTF-8", "1000", "7.5", &status);
    ASSERT_EQ(status, 0) << plain.toStdString();
    ASSERT_TRUE(plain.contains("\t504.69\t6.25\t")) << plain.toStdString();
    for (const Locale& l : Locales) {
        QByteArray expected = plain;
        expected.replace('.', ',');
        const QByteArray local = exportUnder(l.name, "1000", "7,5", &status);
        EXPECT_EQ(status, 0) << l.name << local.toStdString();
        EXPECT_TRUE(test::bytesEqual(expected, local)) << l.name;
        // A fraction of the amount too; a "." is not this locale's decimal point.
        exportUnder(l.name, "1000,5", "7,5", &status);
        EXPECT_EQ(status, 0) << l.name;
        const QByteArray dotted = exportUnder(l.name, "1000", "7.5", &status);
        EXPECT_EQ(status, 1) << l.name;
        EXPECT_TRUE(dotted.contains("'7.5' is not a valid floating point value.")) << l.name;
    }
}

// Every cell of the main window's table for 1000 over 2 months at `rate`.
QStringList windowTable(const QString& rate) {
    Tmainfrm form;
    form.amountedt->setText("1000");
    form.monthsedt->setText("2");
    form.interestedt->setText(rate);
    form.calcbtnClick(nullptr);
    QStringList cells;
    for (int r = 0; r < form.loanview->itemCount(); ++r)
        for (int c = 0; c < form.loanview->Columns()->Count(); ++c)
            cells << form.loanview->cellText(r, c);
    return cells;
}

TEST_F(RealLocale, TheMainWindowCalculatesWithTheLocalesDecimalComma) {
    const QStringList plain = windowTable("7.5");
    ASSERT_GE(plain.size(), 15);
    ASSERT_EQ(plain.at(1), "504.69");
    const RegionalSettings pinned = regionalSettings();
    const QByteArray previous = qgetenv("LOCPATH");
    qputenv("LOCPATH", QFile::encodeName(folder->path()));
    const std::string was = std::setlocale(LC_NUMERIC, nullptr);
    for (const Locale& l : Locales) {
        // What the toolkit does at start-up: the C library's numbers follow the user.
        ASSERT_NE(std::setlocale(LC_NUMERIC, l.name), nullptr) << l.name;
        RegionalSettings local =
            RegionalSettings::fromLocale(QLocale(QString::fromLatin1(l.source)));
        local.shortDateFormat = pinned.shortDateFormat; // the numbers are what is compared
        setRegionalSettings(local);
        double v = 0;
        EXPECT_TRUE(TryStrToFloat("1000,5", v));
        EXPECT_EQ(v, 1000.5);
        QStringList expected = plain;
        expected.replaceInStrings(".", ",");
        EXPECT_EQ(windowTable("7,5"), expected) << l.name;
    }
    std::setlocale(LC_NUMERIC, was.c_str());
    if (previous.isNull())
        qunsetenv("LOCPATH");
    else
        qputenv("LOCPATH", previous);
}

} // namespace
