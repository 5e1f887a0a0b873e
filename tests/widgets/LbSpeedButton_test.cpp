// SPDX-License-Identifier: GPL-3.0-or-later
// The speed button as a widget: pressing, groups, properties, glyphs,
// styles, presets and layout.

#include "tests/widgets/SpeedButtonForm.h"
#include "widgets/LbSpeedButton.h"
#include "widgets/LbSpeedButtonAccessible.h"
#include "widgets/LbSpeedButtonGlyphs.h"

#include "tests/support/TestSupport.h"

#include <QAccessible>
#include <QApplication>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

using namespace twl;
using namespace twl::test;

TEST(LbSpeedButton, Defaults) {
    TLbSpeedButton b;
    EXPECT_EQ(b.size(), QSize(100, 23));
    EXPECT_EQ(b.Style(), Lb::bsNormal);
    EXPECT_EQ(b.Layout(), Lb::blGlyphLeft);
    EXPECT_EQ(b.Alignment(), Lb::taLeftJustify);
    EXPECT_EQ(b.LightColor(), clWhite);
    EXPECT_EQ(b.ShadowColor(), clBlack);
    EXPECT_EQ(b.ColorWhenDown(), clNone);
    EXPECT_EQ(b.HotTrackColor(), clNone);
    EXPECT_EQ(b.Color(), clWindow);
    EXPECT_TRUE(b.ParentColor());
    EXPECT_EQ(b.NumGlyphs(), 0);
    EXPECT_FALSE(b.SlowDecease());
    EXPECT_EQ(b.FadeThread(), nullptr);
    EXPECT_EQ(b.HotTrackFont()->Name(), QStringLiteral("MS Sans Serif"));
}

TEST(LbSpeedButton, PublishedPropertiesByName) {
    TLbSpeedButton b;
    const QMetaProperty style = prop(b, "Style");
    ASSERT_TRUE(style.isEnumType());
    EXPECT_EQ(style.enumerator().keyToValue("bsQuicken"), Lb::bsQuicken);
    EXPECT_TRUE(style.write(&b, QVariant::fromValue(Lb::bsOld)));
    EXPECT_EQ(b.Style(), Lb::bsOld);
    EXPECT_EQ(prop(b, "ColorStyle").enumerator().keyToValue("lcsUltraFlatXP"), Lb::lcsUltraFlatXP);
    EXPECT_EQ(prop(b, "Layout").enumerator().keyToValue("blGlyphBottom"), Lb::blGlyphBottom);
    EXPECT_EQ(prop(b, "Alignment").enumerator().keyToValue("taCenter"), Lb::taCenter);
    EXPECT_FALSE(prop(b, "ColorStyle").isStored());

    b.setProperty("Caption", QStringLiteral("&Go"));
    b.setProperty("Width", 60);
    b.setProperty("Left", 7);
    b.setProperty("Hint", QStringLiteral("Runs it"));
    EXPECT_EQ(b.Caption(), QStringLiteral("&Go"));
    EXPECT_EQ(b.geometry(), QRect(7, 0, 60, 23));
    EXPECT_EQ(b.toolTip(), QStringLiteral("Runs it"));
    auto* font = qvariant_cast<TFont*>(b.property("HotTrackFont"));
    ASSERT_NE(font, nullptr);
    font->setSize(12);
    EXPECT_EQ(b.HotTrackFont()->Size(), 12);
}

TEST(LbSpeedButton, GroupedButtonsAreExclusive) {
    Form f;
    TLbSpeedButton* b[3];
    for (int i = 0; i < 3; ++i) {
        b[i] = f.add(10 + 110 * i, 10);
        b[i]->setGroupIndex(1);
    }
    TLbSpeedButton* other = f.add(10, 50);
    other->setGroupIndex(2);
    other->setDown(true);
    f.show();

    QTest::mouseClick(b[0], Qt::LeftButton);
    EXPECT_TRUE(b[0]->Down());
    QTest::mouseClick(b[1], Qt::LeftButton);
    EXPECT_FALSE(b[0]->Down());
    EXPECT_TRUE(b[1]->Down());
    EXPECT_FALSE(b[2]->Down());
    EXPECT_TRUE(other->Down());

    // Clicking the down one keeps it down unless all may be up.
    QTest::mouseClick(b[1], Qt::LeftButton);
    EXPECT_TRUE(b[1]->Down());
    b[1]->setAllowAllUp(true);
    QTest::mouseClick(b[1], Qt::LeftButton);
    EXPECT_FALSE(b[1]->Down());

    // Setting Down by program releases the group too, and the right button does nothing.
    b[2]->setDown(true);
    QTest::mouseClick(b[0], Qt::RightButton);
    EXPECT_FALSE(b[0]->Down());
    EXPECT_TRUE(b[2]->Down());
}

TEST(LbSpeedButton, UngroupedButtonIsDownWhileHeld) {
    Form f;
    TLbSpeedButton* b = f.add(10, 10);
    f.show();
    bool downInClick = false;
    int clicks = 0;
    b->OnClick = [&](QObject* sender) {
        EXPECT_EQ(sender, b);
        downInClick = b->Down();
        ++clicks;
    };
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(b->Down());
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(downInClick);

    // Released outside: up again, but no click.
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(150, 5));
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(clicks, 1);
}

TEST(LbSpeedButton, GroupKeepsOneDownWhateverTheOrderOfWrites) {
    Form f;
    TLbSpeedButton* a = f.add(10, 10);
    TLbSpeedButton* b = f.add(120, 10);
    TLbSpeedButton* c = f.add(230, 10);
    f.show();
    // The order a window file stores them in: Down before GroupIndex.
    a->setProperty("Down", true);
    b->setProperty("Down", true);
    a->setProperty("GroupIndex", 1);
    b->setProperty("GroupIndex", 1);
    // The last to join keeps its state, as the last Down written would.
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(b->Down());

    // Pressing, popping up and writing Down work the group as usual.
    a->setAllowAllUp(true);
    b->setAllowAllUp(true);
    QTest::mouseClick(a, Qt::LeftButton);
    EXPECT_TRUE(a->Down());
    EXPECT_FALSE(b->Down());
    QTest::mouseClick(a, Qt::LeftButton);
    EXPECT_FALSE(a->Down());
    b->setDown(true);
    a->setDown(true);
    EXPECT_FALSE(b->Down());

    // Joining while up leaves the group as it is; leaving it frees the button.
    c->setGroupIndex(1);
    EXPECT_TRUE(a->Down());
    a->setGroupIndex(3);
    c->setDown(true);
    EXPECT_TRUE(a->Down());
    EXPECT_TRUE(c->Down());

    // A down button moved in from another window takes over its new group.
    QWidget elsewhere;
    auto* moved = new TLbSpeedButton(&elsewhere);
    moved->setGroupIndex(1);
    moved->setDown(true);
    moved->setParent(&f.window);
    EXPECT_TRUE(moved->Down());
    EXPECT_FALSE(c->Down());
    EXPECT_TRUE(a->Down());
}

TEST(LbSpeedButton, GlyphSetterCountsImages) {
    TLbSpeedButton b;
    QImage strip(64, 16, QImage::Format_RGB32);
    strip.fill(Qt::red);
    b.setGlyph(strip);
    EXPECT_EQ(b.NumGlyphs(), 4);
    EXPECT_EQ(b.Glyph().size(), QSize(64, 16));
    QImage tall(8, 16, QImage::Format_RGB32);
    tall.fill(Qt::red);
    b.setGlyph(tall);
    EXPECT_EQ(b.NumGlyphs(), 0);
    b.setGlyph(QImage());
    EXPECT_TRUE(b.Glyph().isNull());
    EXPECT_EQ(b.NumGlyphs(), 0);
    // See-through pixels of an image with alpha become the key colour.
    QImage alpha(4, 4, QImage::Format_ARGB32);
    alpha.fill(Qt::transparent);
    b.setGlyph(alpha);
    EXPECT_EQ(b.Glyph().pixel(0, 3), TransparentKey);
}

TEST(LbSpeedButton, ActionFillsAnEmptyGlyph) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::blue);
    QAction action(QIcon(pixmap), QStringLiteral("&Run"));
    int triggered = 0;
    QObject::connect(&action, &QAction::triggered, [&] { ++triggered; });

    TLbSpeedButton b;
    b.setAction(&action);
    EXPECT_EQ(b.Caption(), QStringLiteral("&Run"));
    EXPECT_EQ(b.Glyph().size(), QSize(16, 16));
    EXPECT_EQ(b.Glyph().pixel(3, 3), qRgb(0, 0, 255));
    EXPECT_EQ(b.NumGlyphs(), 1);
    action.setEnabled(false);
    EXPECT_FALSE(b.isEnabled());
    action.setEnabled(true);
    b.Click();
    EXPECT_EQ(triggered, 1);
    // OnClick takes precedence over the action.
    b.OnClick = [](QObject*) {};
    b.Click();
    EXPECT_EQ(triggered, 1);

    // A button that has a glyph keeps it.
    TLbSpeedButton own;
    QImage glyph(8, 8, QImage::Format_RGB32);
    glyph.fill(Qt::green);
    own.setGlyph(glyph);
    own.setAction(&action);
    EXPECT_EQ(own.Glyph().size(), QSize(8, 8));
}

TEST(LbSpeedButton, ModernStyleFallsBackOnEightBitDisplays) {
    {
        DepthScope depth(8);
        TLbSpeedButton b;
        b.setStyle(Lb::bsModern);
        EXPECT_EQ(b.Style(), Lb::bsNormal);
        b.setStyle(Lb::bsQuicken);
        EXPECT_EQ(b.Style(), Lb::bsQuicken);
        // A preset writes its style directly.
        b.setColorStyle(Lb::lcsGold);
        EXPECT_EQ(b.Style(), Lb::bsModern);
    }
    DepthScope depth(16);
    TLbSpeedButton b;
    b.setStyle(Lb::bsModern);
    EXPECT_EQ(b.Style(), Lb::bsModern);
}

TEST(LbSpeedButton, ColorStyleFillsPropertiesAndReadsCustom) {
    TLbSpeedButton b;
    b.setColorStyle(Lb::lcsQuicken);
    EXPECT_EQ(b.ColorStyle(), Lb::lcsCustom);
    EXPECT_EQ(b.Font()->Color(), clWhite);
    EXPECT_EQ(b.Color(), 0x603000);
    EXPECT_FALSE(b.ParentColor());
    EXPECT_EQ(b.Style(), Lb::bsQuicken);

    b.setColorStyle(Lb::lcsUltraFlat1);
    EXPECT_TRUE(b.Flat());
    EXPECT_EQ(b.ColorWhenDown(), 0xB59284);
    EXPECT_EQ(b.Font()->Color(), clBlack);
    b.setColorStyle(Lb::lcsDefault);
    EXPECT_FALSE(b.Flat());
    EXPECT_EQ(b.ColorWhenDown(), clNone);
    EXPECT_EQ(b.HotTrackColor(), clNone);
    EXPECT_EQ(b.Color(), clBtnFace);

    // lcsCustom changes nothing.
    b.setColor(0x123456);
    b.setColorStyle(Lb::lcsCustom);
    EXPECT_EQ(b.Color(), 0x123456);
}

TEST(LbSpeedButton, DisabledDownButtonDrawsUpWithGreyText) {
    TLbSpeedButton b;
    b.setColor(clWhite);
    b.setDown(true);
    b.setEnabled(false);
    const TLbButtonPaintState s = b.paintState();
    EXPECT_EQ(glyphCellIndex(s), 1);
    const QImage img = b.paintSurface();
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 255, 255)); // light edge on top: drawn up
    EXPECT_EQ(img.pixel(99, 0), qRgb(0, 0, 0));
}

TEST(LbSpeedButton, MainWindowLook) {
    TLbSpeedButton b;
    b.resize(105, 41);
    b.setCaption(QStringLiteral("Calculate"));
    applyMainWindowButtonLook(b, calculatorGlyph());
    EXPECT_EQ(b.Style(), Lb::bsModern);
    EXPECT_EQ(b.Alignment(), Lb::taCenter);
    EXPECT_EQ(b.NumGlyphs(), 1);
    EXPECT_TRUE(b.UseHotTrackFont());
    const TFont* hot = b.HotTrackFont();
    EXPECT_EQ(hot->Name(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(hot->Height(), -11);
    EXPECT_EQ(hot->Color(), clBlue);
    EXPECT_TRUE(hot->Underline());
    EXPECT_FALSE(hot->Bold());

    // The pictures: the calculator larger, each keyed by its lower-left pixel
    // and with more than a colour or two of its own.
    const QImage pictures[] = {calculatorGlyph(), exportGlyph(), closeGlyph()};
    EXPECT_EQ(pictures[0].size(), QSize(32, 32));
    EXPECT_EQ(pictures[1].size(), QSize(16, 16));
    EXPECT_EQ(pictures[2].size(), QSize(16, 16));
    for (const QImage& img : pictures) {
        EXPECT_EQ(img.pixel(0, img.height() - 1), TransparentKey);
        QSet<QRgb> colours;
        int drawn = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixel(x, y) != TransparentKey) {
                    colours.insert(img.pixel(x, y));
                    ++drawn;
                }
        EXPECT_GE(colours.size(), 2);
        EXPECT_GT(drawn, img.width() * img.height() / 5);
    }
    // On the button, the glyph's see-through pixels show the gradient.
    const QImage surface = b.paintSurface();
    EXPECT_NE(surface.pixel(52, 20), TransparentKey);
}

TEST(LbSpeedButton, AnchorsFollowTheParentsEdges) {
    Form f;
    f.window.resize(200, 100);
    TLbSpeedButton* corner = f.add(150, 70);
    corner->resize(40, 20);
    corner->setAnchors(Lb::akRight | Lb::akBottom);
    TLbSpeedButton* wide = f.add(10, 10);
    wide->resize(100, 20);
    wide->setAnchors(Lb::akLeft | Lb::akRight | Lb::akTop);
    TLbSpeedButton* floating = f.add(80, 40);
    floating->resize(40, 20);
    floating->setAnchors({});
    TLbSpeedButton* fixed = f.add(5, 70);
    f.show();
    f.window.resize(300, 150);
    QCoreApplication::processEvents();
    EXPECT_EQ(corner->geometry(), QRect(250, 120, 40, 20));
    EXPECT_EQ(wide->geometry(), QRect(10, 10, 200, 20));
    // The centre stays at the same share of the parent: 100 of 200 -> 150 of 300.
    EXPECT_EQ(floating->geometry(), QRect(130, 65, 40, 20));
    EXPECT_EQ(fixed->pos(), QPoint(5, 70));
    EXPECT_EQ(prop(*corner, "Anchors").enumerator().keysToValue("akRight|akBottom"),
              int(Lb::akRight | Lb::akBottom));
}

TEST(LbSpeedButton, AlignDocksAgainstTheParentInTurn) {
    Form f;
    f.window.resize(200, 100);
    TLbSpeedButton* client = f.add(0, 0);
    TLbSpeedButton* top = f.add(0, 0);
    TLbSpeedButton* bottom = f.add(0, 0);
    top->resize(10, 20);
    bottom->resize(10, 30);
    top->setAlign(Lb::alTop);
    bottom->setAlign(Lb::alBottom);
    client->setAlign(Lb::alClient);
    f.show();
    f.window.resize(300, 120);
    QCoreApplication::processEvents();
    EXPECT_EQ(top->geometry(), QRect(0, 0, 300, 20));
    EXPECT_EQ(bottom->geometry(), QRect(0, 90, 300, 30));
    EXPECT_EQ(client->geometry(), QRect(0, 20, 300, 70));
}

TEST(LbSpeedButton, DrawnAtTheDevicePixelRatioWithSharpEdges) {
    // Without a caption every pixel is the button's own drawing: at ratio 2
    // each pixel of the ratio-1 picture becomes a uniform 2 x 2 block.
    QWidget parent;
    for (Lb::TLbSpeedButtonStyle style : {Lb::bsNormal, Lb::bsModern, Lb::bsQuicken, Lb::bsOld}) {
        TLbSpeedButton b(&parent);
        b.resize(97, 25);
        b.setStyle(style);
        applyMainWindowButtonLook(b, exportGlyph());
        b.setStyle(style);
        b.setCaption(QString());
        const QImage one = b.paintSurface(1.0);
        const QImage two = b.paintSurface(2.0);
        ASSERT_EQ(two.size(), one.size() * 2) << style;
        EXPECT_EQ(two.devicePixelRatio(), 2.0);
        bool same = true;
        for (int y = 0; y < one.height() && same; ++y)
            for (int x = 0; x < one.width() && same; ++x)
                for (int j = 0; j < 2; ++j)
                    for (int i = 0; i < 2; ++i)
                        same = same && two.pixel(2 * x + i, 2 * y + j) == one.pixel(x, y);
        EXPECT_TRUE(same) << style;
    }
}
