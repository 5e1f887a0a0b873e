// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Startup.h"

#include "app/CommandLine.h"
#include "app/LanguageChoice.h"
#include "app/MainWindow.h"
#include "app/ProgramIcon.h"
#include "app/SettingsFilePath.h"
#include "app/SplashWindow.h"
#include "base/Exceptions.h"
#include "export/writers/kxWriterTypeset.h"
#include "i18n/bsPolyglotUn.h"
#include "toolkit/ApplicationTitle.h"
#include "toolkit/ErrorDisplay.h"
#include "toolkit/ShowPainted.h"
#include "toolkit/UseWidgets.h"

#include <QApplication>
#include <cstdio>
#include <memory>

namespace twl {

namespace {
QStringList argumentsAfterProgram(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}
} // namespace

int runApplication(int argc, char** argv) {
    // Help and version need no display, so they come before the toolkit starts.
    const CalculatorCommandLine early =
        parseCalculatorCommandLine(argumentsAfterProgram(argc, argv));
    if (early.action == CalculatorCommandLine::Help) {
        std::fputs(qPrintable(calculatorHelpText()), stdout);
        return 0;
    }
    if (early.action == CalculatorCommandLine::Version) {
        std::fputs(qPrintable(calculatorVersionText()), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    applyProgramIdentity();
    // What Qt did not take (its own options, such as -platform) is ours.
    const CalculatorCommandLine options =
        parseCalculatorCommandLine(argumentsAfterProgram(argc, argv));
    if (options.action == CalculatorCommandLine::Usage) {
        std::fputs(
            qPrintable(QStringLiteral("twlc: %1\n").arg(options.error) + calculatorUsageText()),
            stderr);
        return 2;
    }
    setCommandLineLanguage(options.language);
    // The application title is not the display name: Qt would append that to
    // every window title on X11.
    setApplicationTitle(initialApplicationTitle(QCoreApplication::applicationFilePath()));

    useWidgets();
    kxRegisterDocumentWriters();

    // The localization core exists before any window and outlives them all.
    TbsCorePolyglot::Create();
    TbsCorePolyglot::GetCorePolyglot()->ChangeUserFolder(userLanguageFolder());
    struct CoreRelease {
        ~CoreRelease() { TbsCorePolyglot::Release(); }
    } releaseCoreLast;

    std::unique_ptr<Tmainfrm> mainWindow;
    {
        auto splash = std::make_unique<Tsplashfrm>();
        showPainted(*splash);
        try {
            mainWindow = std::make_unique<Tmainfrm>();
        } catch (const Exception& e) {
            splash.reset();
            ShowDefaultError(e.message());
            return 1;
        } catch (const std::exception& e) {
            splash.reset();
            ShowDefaultError(QString::fromLocal8Bit(e.what()));
            return 1;
        }
    }
    mainWindow->show();
    const int rc = app.exec();
    mainWindow.reset();
    return rc;
}

} // namespace twl
