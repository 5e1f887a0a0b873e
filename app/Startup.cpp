#include "app/Startup.h"

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "base/Exceptions.h"
#include "export/writers/kxWriterRegistry.h"
#include "i18n/bsPolyglotUn.h"
#include "toolkit/ApplicationTitle.h"
#include "toolkit/ErrorDisplay.h"
#include "toolkit/ShowPainted.h"

#include <QApplication>
#include <memory>

namespace twl {

int runApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    // The application title is not the display name: Qt would append that to
    // every window title on X11.
    setApplicationTitle(initialApplicationTitle(QCoreApplication::applicationFilePath()));

    kxRegisterDocumentWriters();

    // The localization core exists before any window and outlives them all.
    TbsCorePolyglot::Create();
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
