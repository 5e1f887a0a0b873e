// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// twlc-export run in the test's process with the shipped language files
// beside it: its status, standard output and standard error.

#include "app/ExportCli.h"
#include "app/ExportCliFonts.h"
#include "export/writers/kxWriterTypeset.h"
#include "i18n/bsPolyglotUn.h"
#include "tests/app/ProgramFolder.h"
#include "tests/support/TestSupport.h"

#include <QBuffer>

namespace twl::test {

struct CliRun {
    int status;
    QByteArray out;
    QString err;
};

class ExportCommandFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program.isValid());
        qunsetenv("SOURCE_DATE_EPOCH");
        for (const char* file : {"English.lng", "Deutsch.lng", "Francais.lng", "Espanol.lng"})
            program.ship(QLatin1String(file));
        useFontDocuments();
        TbsCorePolyglot::Create();
    }
    void TearDown() override { TbsCorePolyglot::Release(); }

    static CliRun runCommand(const QStringList& args) {
        QBuffer o, e;
        o.open(QIODevice::WriteOnly);
        e.open(QIODevice::WriteOnly);
        const int status = runExportCli(args, o, e);
        return {status, o.data(), QString::fromLocal8Bit(e.data())};
    }

    ProgramFolderScope program;
};

} // namespace twl::test
