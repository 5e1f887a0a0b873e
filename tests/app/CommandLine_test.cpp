// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"
#include "tests/support/TestSupport.h"

#include <QProcess>

using namespace twl;

TEST(CalculatorCommandLine, LanguageHelpVersionAndMistakes) {
    CalculatorCommandLine c = parseCalculatorCommandLine({});
    EXPECT_EQ(c.action, CalculatorCommandLine::Run);
    EXPECT_EQ(c.language, "");
    c = parseCalculatorCommandLine({"--language", "Deutsch"});
    EXPECT_EQ(c.action, CalculatorCommandLine::Run);
    EXPECT_EQ(c.language, "Deutsch");
    EXPECT_EQ(parseCalculatorCommandLine({"--language=espanol"}).language, "espanol");
    // Help and version win wherever they stand.
    EXPECT_EQ(parseCalculatorCommandLine({"-platform", "xcb", "--help"}).action,
              CalculatorCommandLine::Help);
    EXPECT_EQ(parseCalculatorCommandLine({"--language", "x", "--version"}).action,
              CalculatorCommandLine::Version);
    const std::vector<std::pair<QStringList, QString>> wrong = {
        {{"--language"}, "--language needs a value"},
        {{"--language="}, "--language needs a value"},
        {{"--bogus"}, "unknown option: --bogus"},
        {{"file.txt"}, "unexpected argument: file.txt"}};
    for (const auto& [args, error] : wrong) {
        c = parseCalculatorCommandLine(args);
        EXPECT_EQ(c.action, CalculatorCommandLine::Usage) << error;
        EXPECT_EQ(c.error, error);
    }
}

#ifdef TWL_TWLC
TEST(CalculatorCommandLine, TheProgramPrintsHelpAndVersionAndRefusesWrongUse) {
    QProcess p;
    // No display is needed for help and version.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    p.setProcessEnvironment(env);
    p.start(TWL_TWLC, {"--help"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0);
    const QString help = QString::fromLocal8Bit(p.readAllStandardOutput());
    EXPECT_TRUE(help.startsWith("Usage: twlc [--language NAME]")) << help;
    EXPECT_TRUE(help.contains("Language=NAME"));
    p.start(TWL_TWLC, {"--version"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(p.readAllStandardOutput().startsWith("twlc "));

    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(TWL_TWLC, {"--bogus"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_TRUE(p.readAllStandardError().contains("twlc: unknown option: --bogus"));
}
#endif

#if defined(TWL_TWLC) && defined(TWL_EXPORT_PROGRAM)
TEST(ProgramVersion, BothProgramsNameTheirVersionAndLicence) {
    for (const auto& [program, name] :
         {std::pair{TWL_TWLC, "twlc "}, std::pair{TWL_EXPORT_PROGRAM, "twlc-export "}}) {
        QProcess p;
        p.start(program, {"--version"});
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0) << name;
        const QByteArray out = p.readAllStandardOutput();
        EXPECT_TRUE(out.startsWith(name)) << out.constData();
        EXPECT_TRUE(out.contains("\nLicence GPL-3.0-or-later: the GNU General Public License"))
            << out.constData();
    }
}
#endif
