// SPDX-License-Identifier: GPL-3.0-or-later
// The document types reached through a whole run, as the format dialog
// starts it: a file run writes the type's document under the chosen name, a
// view run writes the same document to a temporary file and opens it.

#include "export/writers/kxWriterRTF.h"
#include "tests/export/writers/FormatTestSupport.h"

#include <QDir>

using namespace twl;
using namespace twl::test;

TEST(WriterRegistry, EveryDocumentTypeInFileAndViewStyle) {
    ScheduleExport s;
    TkxRTFWriter::setPixelsPerInchSource([] { return 96; });
    QTemporaryDir dir;
    QStringList opened;
    std::vector<TkxExportError> errors;
    s.exporter.setTempDir(dir.path() + "/");
    s.exporter.DocumentOpener = [&opened](const QString& f) { opened << f; };
    const std::pair<TkxExportType, const char*> types[] = {{xtHTML, "HTML"}, {xtExcel, "XLS"},
                                                           {xtWord, "DOC"},  {xtRTF, "RTF"},
                                                           {xtDIF, "DIF"},   {xtSYLK, "SLK"}};
    for (const auto& [type, extension] : types) {
        const QByteArray document = writeDocument(s.exporter, type, &errors);
        ASSERT_FALSE(document.isEmpty()) << extension;

        s.exporter.setExportStyle(xsFile);
        s.exporter.setFileName(dir.filePath("schedule"));
        s.exporter.ExportData();
        EXPECT_EQ(readFile(dir.filePath(QStringLiteral("schedule.") + extension)), document)
            << extension;

        opened.clear();
        s.exporter.setExportStyle(xsView);
        s.exporter.ExportData();
        ASSERT_EQ(opened.size(), 1) << extension;
        EXPECT_TRUE(opened.front().endsWith(QStringLiteral(".") + extension)) << opened.front();
        EXPECT_EQ(readFile(opened.front()), document) << extension;
    }
    EXPECT_TRUE(errors.empty());
    TkxRTFWriter::setPixelsPerInchSource({});
}
