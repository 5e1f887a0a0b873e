// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/kxExportSelect.h"

#include "base/Font.h"
#include "base/GuiConversions.h"
#include "base/TColor.h"
#include "export/kxExportConst.h"
#include "toolkit/FixedPalette.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

// Resources of a static library must be initialised by name, outside any namespace.
static void initExportIcons() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(kxExportIcons);
        return true;
    }();
    (void)registered;
}

namespace twl {

namespace {
const char* const TagProperty = "Tag";

void applyFormLook(QWidget* w) {
    TFont font;
    w->setFont(toQFont(font));
    QPalette pal = fixedPalette(); // every role: the desktop theme mixes none in
    pal.setColor(QPalette::Window, toQColor(clBtnFace));
    pal.setColor(QPalette::WindowText, toQColor(font.Color()));
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}
} // namespace

TkxPaintBox::TkxPaintBox(QWidget* parent)
    : QWidget(parent) {}

void TkxPaintBox::paintEvent(QPaintEvent*) {
    if (!OnPaint) return;
    QPainter painter(this);
    m_canvas = &painter;
    OnPaint(this);
    m_canvas = nullptr;
}

Tfrm_Selection::Tfrm_Selection(QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("frm_Selection"));
    applyFormLook(this);
    setWindowTitle(LoadResString(rs::SkxSelectionCaption));
    setFixedSize(322, 123);

    btn_Selection = new QPushButton(LoadResString(rs::SkxExportCaption), this);
    btn_Selection->setObjectName(QStringLiteral("btn_Selection"));
    btn_Selection->setGeometry(240, 8, 75, 25);
    btn_Selection->setDefault(true);
    connect(btn_Selection, &QPushButton::clicked, this, &QDialog::accept);

    btn_Cancel = new QPushButton(LoadResString(rs::SkxCancelCaption), this);
    btn_Cancel->setObjectName(QStringLiteral("btn_Cancel"));
    btn_Cancel->setGeometry(240, 40, 75, 25);
    btn_Cancel->setAutoDefault(false);
    connect(btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);

    GroupBox = new QGroupBox(
        QLatin1Char(' ') + LoadResString(rs::SkxSelectFormat) + QLatin1Char(' '), this);
    GroupBox->setObjectName(QStringLiteral("GroupBox"));
    GroupBox->setGeometry(8, 8, 225, 113);

    SelectionCombo = new QComboBox(GroupBox);
    SelectionCombo->setObjectName(QStringLiteral("SelectionCombo"));
    SelectionCombo->setGeometry(8, 24, 209, 21);
    SelectionCombo->setEditable(false);
    SelectionCombo->setProperty(TagProperty, ComboTag);

    rdo_View = new QRadioButton(LoadResString(rs::SkxViewOnly), GroupBox);
    rdo_View->setObjectName(QStringLiteral("rdo_View"));
    rdo_View->setGeometry(8, 60, 113, 17);
    rdo_View->setProperty(TagProperty, ViewTag);

    rdo_File = new QRadioButton(LoadResString(rs::SkxExportToFile), GroupBox);
    rdo_File->setObjectName(QStringLiteral("rdo_File"));
    rdo_File->setGeometry(8, 80, 113, 17);
    rdo_File->setProperty(TagProperty, FileTag);

    rdo_Print = new QRadioButton(LoadResString(rs::SkxPrintCaption), GroupBox);
    rdo_Print->setObjectName(QStringLiteral("rdo_Print"));
    rdo_Print->setGeometry(8, 97, 113, 15);
    rdo_Print->setProperty(TagProperty, PrintTag);
    rdo_Print->setVisible(false);

    IconImage = new TkxPaintBox(GroupBox);
    IconImage->setObjectName(QStringLiteral("IconImage"));
    IconImage->setGeometry(176, 64, 40, 40);

    setTabOrder(btn_Selection, btn_Cancel);
    setTabOrder(btn_Cancel, GroupBox);
    setTabOrder(GroupBox, SelectionCombo);
    setTabOrder(SelectionCombo, rdo_View);
    setTabOrder(rdo_View, rdo_File);
    setTabOrder(rdo_File, rdo_Print);
}

const QList<QPixmap>& Tfrm_Selection::ImageList() {
    if (m_images.isEmpty()) {
        initExportIcons();
        for (int i = 0; i < 8; ++i)
            m_images.append(QPixmap(QStringLiteral(":/kxexport/format%1.png").arg(i)));
    }
    return m_images;
}

int Tfrm_Selection::Tag(const QObject* control) {
    return control ? control->property(TagProperty).toInt() : 0;
}

void Tfrm_Selection::fitTitle() {
    // A translated title wider than the designed window would be cut in the
    // title bar: the window grows to show it, its buttons keep to the right.
    constexpr int DesignWidth = 322;
    constexpr int ButtonsLeft = 240;
    constexpr int TitleBarRoom = 96; // the frame's edges and its buttons
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    const int wanted = std::max(
        DesignWidth, QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + TitleBarRoom);
    setFixedSize(wanted, height());
    btn_Selection->move(ButtonsLeft + wanted - DesignWidth, btn_Selection->y());
    btn_Cancel->move(ButtonsLeft + wanted - DesignWidth, btn_Cancel->y());
}

void Tfrm_Selection::showEvent(QShowEvent* e) {
    fitTitle();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r = frameGeometry();
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
    QDialog::showEvent(e);
}

} // namespace twl
