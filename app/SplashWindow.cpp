// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SplashWindow.h"

#include "app/AppConsts.h"
#include "toolkit/Component.h"
#include "toolkit/Controls.h"

#include <QGuiApplication>
#include <QScreen>

namespace twl {

namespace {
TLabel* splashLabel(Tsplashfrm* form, const char* name, int left, int top, const QString& text) {
    auto* label = new TLabel(form);
    label->setObjectName(QLatin1String(name));
    setOwner(label, form);
    label->Font()->setName(QStringLiteral("MS Sans Serif"));
    label->Font()->setHeight(-16);
    label->Font()->setBold(true);
    label->Font()->setColor(clWhite);
    label->setCaption(text);
    label->move(left, top);
    return label;
}
} // namespace

Tsplashfrm::Tsplashfrm(QWidget* parent)
    : TForm(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("splashfrm"));
    setColor(clMaroon);
    setFixedSize(326, 111);
    Label1 = splashLabel(this, "Label1", 16, 16, LoadResString(rs::SSplashName));
    Label2 = splashLabel(this, "Label2", 16, 48, LoadResString(rs::SSplashProduct));
    Label2->setAutoSize(false);
    Label2->setGeometry(16, 48, 290, 20);
    Label2->setAlignmentProperty(TAlignmentEnum::taCenter);
    Label3 = splashLabel(this, "Label3", 128, 80, LoadResString(rs::SSplashVersion));
    Label3->setAlignmentProperty(TAlignmentEnum::taCenter);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    finishBuilding();
}

} // namespace twl
