// SPDX-License-Identifier: GPL-3.0-or-later
// Speed buttons set up from a language file, whose lines are applied in file
// order as property writes.

#include "i18n/bsPolyglotUn.h"
#include "widgets/LbSpeedButton.h"

#include "tests/i18n/LanguageFolder.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using namespace twl;

TEST(LbSpeedButtonLanguage, DownBeforeGroupIndexLeavesOneButtonDown) {
    test::LanguageFolderScope root;
    ASSERT_TRUE(root.isValid());
    root.language("lang", "English",
                  "[QWidget]\r\n"
                  "expbtn.Down=True\r\n"
                  "cancelbtn.Down=True\r\n"
                  "expbtn.GroupIndex=1\r\n"
                  "cancelbtn.GroupIndex=1\r\n"
                  "expbtn.AllowAllUp=True\r\n"
                  "cancelbtn.AllowAllUp=True\r\n");
    TbsCorePolyglot core;
    core.ChangeFolder(root.folder("lang"));
    core.ChangeLanguage("English");
    ASSERT_TRUE(core.HasLanguageFile());

    QWidget form;
    form.resize(300, 60);
    auto* expbtn = new TLbSpeedButton(&form);
    expbtn->setObjectName("expbtn");
    expbtn->move(10, 10);
    auto* cancelbtn = new TLbSpeedButton(&form);
    cancelbtn->setObjectName("cancelbtn");
    cancelbtn->move(150, 10);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    core.TranslateComponent(&form);
    EXPECT_FALSE(expbtn->Down());
    EXPECT_TRUE(cancelbtn->Down());

    // Clicks that release and press within the group end normally.
    QTest::mouseClick(cancelbtn, Qt::LeftButton);
    EXPECT_FALSE(cancelbtn->Down());
    QTest::mouseClick(expbtn, Qt::LeftButton);
    EXPECT_TRUE(expbtn->Down());
    QTest::mouseClick(cancelbtn, Qt::LeftButton);
    EXPECT_TRUE(cancelbtn->Down());
    EXPECT_FALSE(expbtn->Down());
}
