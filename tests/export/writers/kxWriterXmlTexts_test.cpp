// SPDX-License-Identifier: GPL-3.0-or-later
// Every text that enters an XML-based document, whatever characters it holds,
// leaves the document well formed and reads back as the text (a character
// XML cannot hold as a blank).

#include "export/writers/kxWriterGrid.h"
#include "tests/export/writers/FormatTestSupport.h"
#include "tests/export/writers/ReaderSupport.h"

#include <QTemporaryDir>

using namespace twl;
using namespace twl::test;

namespace {

// Parses every XML part of the package (a failure exits non-zero), then
// prints the title the package's properties carry.
const char* const ParseParts = R"(
import sys, zipfile, xml.dom.minidom
z = zipfile.ZipFile(sys.argv[1])
title = ''
for name in z.namelist():
    if name.endswith('.xml') or name.endswith('.rels'):
        doc = xml.dom.minidom.parseString(z.read(name))
        for t in doc.getElementsByTagName('dc:title'):
            title = ''.join(n.data for n in t.childNodes)
print(repr(title))
)";

struct Case {
    const char* what;
    QString title;
    QString footer;
    QString expectedTitle; // as a reader gives it
};

} // namespace

TEST(XmlTexts, TitlesAndPageTextsWithAnyCharacterKeepThePackageWellFormed) {
    const Case cases[] = {
        {"control characters", QStringLiteral("A\u0001B"), QStringLiteral("P\u0002"),
         QStringLiteral("A B")},
        {"markup", QStringLiteral("Loan & interest <2024> \"x\""), QStringLiteral("a & b <c>"),
         QStringLiteral("Loan & interest <2024> \"x\"")},
        {"non-characters", QStringLiteral("a\uFFFEb\uFFFF"), QStringLiteral("\u001F"),
         QStringLiteral("a b ")},
    };
    for (const TkxExportType type : {xtXLSX, xtODS}) {
        for (const Case& c : cases) {
            ScheduleExport s;
            s.exporter.HTML()->setTitle(c.title);
            s.exporter.EXCEL()->setHeader(c.footer);
            s.exporter.EXCEL()->setFooter(c.footer);
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("doc"));
            writeFile(path, writeDocument(s.exporter, type));
            TWL_READ_WITH_PYTHON("xml.dom.minidom", ParseParts, path, read);
            EXPECT_EQ(read.out.trimmed(), QStringLiteral("'%1'").arg(c.expectedTitle))
                << c.what << " in type " << int(type);
        }
    }
}
