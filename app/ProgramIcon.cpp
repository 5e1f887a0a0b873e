// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramIcon.h"

#include <QApplication>

static void initProgramIconResource() {
    Q_INIT_RESOURCE(ProgramIcon);
}

namespace twl {

QIcon programIcon() {
    initProgramIconResource();
    return QIcon::fromTheme(QLatin1String(ApplicationId),
                            QIcon(QStringLiteral(":/twl/tarnwell.svg")));
}

void applyProgramIdentity() {
    // The desktop matches windows to the desktop file and its icon by this id.
    QGuiApplication::setDesktopFileName(QLatin1String(ApplicationId));
    // X11 task bars take the icon from the window.
    QApplication::setWindowIcon(programIcon());
}

} // namespace twl
