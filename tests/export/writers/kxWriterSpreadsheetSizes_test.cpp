// SPDX-License-Identifier: GPL-3.0-or-later
// The spreadsheets at several lengths, read back whole by a real zip reader
// (every part's CRC checked) and XML parser: the rows packed as they are
// written come back complete and in order, however many packing passes
// they took.

#include "tests/export/MemorySource.h"
#include "tests/export/writers/FormatTestSupport.h"
#include "tests/export/writers/ReaderSupport.h"

#include <QTemporaryDir>

using namespace twl;
using namespace twl::test;

namespace {

// The damaged parts (None: none), then per sheet part its row count and the
// texts or values of its first and last rows.
const char* const ReadPackage = R"(
import sys, zipfile, xml.etree.ElementTree as ET
z = zipfile.ZipFile(sys.argv[1])
print(z.testzip())
for name in z.namelist():
    if name == 'mimetype':
        continue
    if name not in ('content.xml', 'xl/worksheets/sheet1.xml'):
        ET.fromstring(z.read(name))
        continue
    root = ET.fromstring(z.read(name))
    rows = [r for r in root.iter() if r.tag.endswith('}table-row') or r.tag.endswith('}row')]
    def texts(r):
        return '|'.join(''.join(c.itertext()) for c in r if c.tag.endswith('}table-cell') or c.tag.endswith('}c'))
    print(len(rows))
    print(texts(rows[0]))
    print(texts(rows[-1]))
)";

} // namespace

TEST(SpreadsheetSizes, EveryRowReadsBackAtAnyLength) {
    const struct {
        TkxExportType type;
        const char* file;
    } types[] = {{xtODS, "s.ods"}};
    RegionalScope regional;
    for (const auto& t : types) {
        for (const int count : {0, 1, 9000}) {
            MemorySource source;
            source.captions = {"#", "Amount", "Note"};
            for (int i = 1; i <= count; ++i)
                source.rows.push_back({TVariant(QString::number(i)),
                                       TVariant(QString::number(i) + QStringLiteral(".25")),
                                       TVariant(QStringLiteral("r&d <%1>").arg(i))});
            source.setOptions(source.Options().without(xoShowExportDate));
            QTemporaryDir dir;
            const QString path = savedFile(dir, writeDocument(source, t.type), t.file);
            SCOPED_TRACE(count);
            TWL_READ_WITH_PYTHON("zipfile", ReadPackage, path, read);
            const QStringList l = read.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            ASSERT_EQ(l.size(), 4) << t.file << count << read.out.toStdString();
            EXPECT_EQ(l[0], "None") << t.file << count;
            EXPECT_EQ(l[1].toInt(), count + 1) << t.file << count;
            EXPECT_EQ(l[2], "#|Amount|Note") << t.file << count;
            if (count > 0) {
                EXPECT_EQ(l[3], QStringLiteral("%1|%1.25|r&d <%1>").arg(count)) << t.file << count;
            }
        }
    }
}
