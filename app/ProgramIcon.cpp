#include "app/ProgramIcon.h"

#include <QApplication>

static void initProgramIconResource() {
    Q_INIT_RESOURCE(ProgramIcon);
}

namespace twl {

QIcon programIcon() {
    initProgramIconResource();
    return QIcon(QStringLiteral(":/twl/tarnwell.svg"));
}

void applyProgramIcon() {
    QApplication::setWindowIcon(programIcon());
}

} // namespace twl
