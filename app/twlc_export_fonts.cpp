// SPDX-License-Identifier: GPL-3.0-or-later
// twlc-export-fonts: twlc-export for the documents laid out in fonts (Word,
// RTF, PDF) and the chart's pictures; twlc-export becomes it for those. It
// writes every type alike, with the widget application on a platform that
// shows nothing (its export component's dialogs exist but stay hidden).

#include "app/ExportCli.h"
#include "app/ExportCliFonts.h"
#include "toolkit/ApplicationTitle.h"
#include "toolkit/UseWidgets.h"

#include <QApplication>

int main(int argc, char** argv) {
    // The documents are titled after the program the user ran (the first
    // argument as twlc-export passes it), not after this one.
    const QString ranAs = QString::fromLocal8Bit(argv[0]);
    twl::useWidgets();
    twl::useFontDocuments();
    return twl::exportCliMain(argc, argv, [ranAs](int& count, char** values) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        auto app = std::make_unique<QApplication>(count, values);
        twl::setApplicationTitle(twl::initialApplicationTitle(ranAs));
        return std::unique_ptr<QCoreApplication>(std::move(app));
    });
}
