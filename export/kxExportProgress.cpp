#include "export/kxExportProgress.h"

#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>

namespace twl {

Tfrm_ProgressForm::Tfrm_ProgressForm(QWidget* parent)
    : TForm(parent,
            Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("frm_ProgressForm"));
    resize(186, 61);

    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setOrientation(Qt::Horizontal);
    ProgressBar->setGeometry(8, 32, 169, 16);
    ProgressBar->setTextVisible(false);

    ProgressLabel = new TLabel(this);
    ProgressLabel->setObjectName(QStringLiteral("ProgressLabel"));
    ProgressLabel->setGeometry(8, 8, 67, 13);
}

void Tfrm_ProgressForm::centreOnDesktop() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r(frameGeometry().topLeft(), QSize(Width(), Height()));
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
}

void Tfrm_ProgressForm::showEvent(QShowEvent* e) {
    centreOnDesktop();
    TForm::showEvent(e);
}

} // namespace twl
