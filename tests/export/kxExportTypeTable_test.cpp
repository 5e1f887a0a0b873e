// SPDX-License-Identifier: GPL-3.0-or-later
// The type table is the one list of document types: the enumeration, the
// format list, the sets, the save filters, the command line's names and the
// lists that the README and the manual page print all agree with it.

#include "export/kxExport.h"
#include "export/kxExportOptions.h"
#include "export/kxExportTypeTable.h"
#include "tests/support/TestSupport.h"

#include <QMetaEnum>
#include <QMetaProperty>
#include <QRegularExpression>

using namespace twl;

TEST(ExportTypeTable, EveryMemberOfTheEnumerationHasOneRow) {
    EXPECT_EQ(QMetaEnum::fromType<TkxExportType>().keyCount(), kxExportTypeCount);
    // The new types follow the ten, so stored values and sets keep their meaning.
    EXPECT_EQ(kxDesignExportTypes.bits(), 0x03FF);
    EXPECT_EQ(kxWindowExportTypes.bits(), (1 << kxExportTypeCount) - 1);
    QStringList names, entries;
    for (int type = 0; type < kxExportTypeCount; ++type) {
        const TkxExportTypeRow* row = kxExportTypeRow(type);
        ASSERT_NE(row, nullptr) << type;
        EXPECT_EQ(int(row->Type), type);
        EXPECT_EQ(TkxCustomExport::FormatListOrder[static_cast<std::size_t>(type)],
                  kxExportTypeRows()[type].Type);
        if (row->CommandLineName) names << QLatin1String(row->CommandLineName);
        // The entry's text is the link from the format list back to its type.
        entries << LoadResString(row->Entry);
        EXPECT_EQ(row->PageBased, type == xtPDF);
        // Only a type that saves no file goes without a filter.
        EXPECT_EQ(row->Filter == nullptr, type == xtClipboard);
        EXPECT_EQ(row->FilterProperty == nullptr, type == xtClipboard);
    }
    EXPECT_EQ(kxExportTypeRow(kxExportTypeCount), nullptr);
    EXPECT_EQ(names.removeDuplicates(), 0);
    EXPECT_EQ(entries.removeDuplicates(), 0);
    EXPECT_EQ(kxCommandLineFormatList(),
              "html, xls, doc, txt, csv, tab, rtf, dif, slk, xlsx, ods, pdf or json");
}

TEST(ExportTypeTable, TheSaveFiltersFollowTheRows) {
    // Each published filter property is a row's, with that row's default.
    TkxDocumentFilter filter;
    const QMetaObject* mo = filter.metaObject();
    QStringList properties, named;
    for (int i = mo->propertyOffset(); i < mo->propertyCount(); ++i)
        properties << QLatin1String(mo->property(i).name());
    for (const TkxExportTypeRow& row : kxExportTypeTable) {
        if (!row.FilterProperty) continue;
        named << QLatin1String(row.FilterProperty);
        EXPECT_EQ(filter.property(row.FilterProperty).toString(), builtinResString(*row.Filter));
    }
    named.sort();
    properties.sort();
    EXPECT_EQ(named, properties);

    TkxCustomExport e;
    e.Messages()->DocumentFilter()->Comma = QStringLiteral("Comma text");
    const std::tuple<TkxExportType, const char*, const char*> table[] = {
        {xtCSV, "CSV", "Comma text (*.csv)|*.CSV"},
        {xtXLSX, "XLSX", "Excel Workbooks (*.xlsx)|*.XLSX"},
        {xtODS, "ODS", "OpenDocument Spreadsheets (*.ods)|*.ODS"},
        {xtPDF, "PDF", "PDF Documents (*.pdf)|*.PDF"},
        {xtJSON, "JSON", "JSON Data (*.json)|*.JSON"}};
    for (const auto& [type, ext, wanted] : table) {
        e.setExportType(type);
        QString extension, text;
        e.GetDefaultExtension(extension);
        e.GetSaveFilter(text);
        EXPECT_EQ(extension, ext);
        EXPECT_EQ(text, wanted);
    }
}

TEST(ExportTypeTable, TheReadmeAndTheManualPageListEveryCommandLineName) {
    const QString formats = kxCommandLineFormatList();
    QString readme = QString::fromUtf8(test::readFile(test::sourceDir() + "/README.md"));
    readme.replace(QLatin1Char('\n'), QLatin1Char(' '));
    EXPECT_TRUE(readme.contains("`--format` takes " + formats + " (or png or svg"))
        << "README.md should say: `--format` takes " << formats.toStdString();

    // The manual's list is the bold names between --format and the pictures.
    const QString manual =
        QString::fromUtf8(test::readFile(test::sourceDir() + "/app/desktop/twlc-export.1"));
    const qsizetype end = manual.lastIndexOf(QLatin1String("\nor\n.BR png"));
    const qsizetype start = manual.lastIndexOf(QLatin1String(".BI \\-\\-format"), end);
    ASSERT_GT(start, 0);
    ASSERT_GT(end, start);
    QStringList listed;
    for (const QString& line : manual.mid(start, end - start).split(QLatin1Char('\n'))) {
        if (!line.startsWith(QLatin1String(".BR "))) continue;
        static const QRegularExpression word(QStringLiteral("\\b[a-z]+\\b"));
        for (const QRegularExpressionMatch& m : word.globalMatch(line.mid(4)))
            if (m.captured() != QLatin1String("or")) listed << m.captured();
    }
    EXPECT_EQ(listed.join(QLatin1String(", ")),
              QString(formats).replace(QLatin1String(" or "), QLatin1String(", ")));
}
