// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a test of the main window stands on: a program folder of its own (the
// settings file and language folder beside the program), the document
// writers, the localization core, pinned regional settings and clock.

#include "app/ExportCliFonts.h"
#include "export/writers/kxWriterTypeset.h"
#include "i18n/bsPolyglotUn.h"
#include "tests/app/ProgramFolder.h"
#include "tests/support/TestSupport.h"

namespace twl::test {

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        useFontDocuments();
        TbsCorePolyglot::Create();
    }
    void TearDown() override { TbsCorePolyglot::Release(); }

    QString iniPath() const { return dir.filePath("twlc.ini"); }

    ProgramFolderScope dir;
    RegionalScope regional{QLatin1Char('.'), QStringLiteral("yyyy-MM-dd")};
    ClockScope clock{QDateTime(QDate(2026, 12, 7), QTime(9, 30))};
};

} // namespace twl::test
