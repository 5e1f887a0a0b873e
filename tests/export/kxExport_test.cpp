// SPDX-License-Identifier: GPL-3.0-or-later
// The export component's properties, option objects, contract and the
// list-view source.

#include "base/Exceptions.h"
#include "base/RegionalSettings.h"
#include "export/kxExportConst.h"
#include "export/kxExportHost.h"
#include "export/kxExportTypeTable.h"
#include "export/kxListViewExport.h"
#include "tests/export/ExportTestTable.h"
#include "tests/support/TestSupport.h"
#include "toolkit/ListView.h"

#include <QDir>
#include <QMessageBox>
#include <QMetaEnum>
#include <QMetaProperty>

using namespace twl;
using namespace twl::test;

namespace {

QStringList enumKeys(const QMetaEnum& e) {
    QStringList keys;
    for (int i = 0; i < e.keyCount(); ++i) {
        EXPECT_EQ(e.value(i), i) << e.key(i);
        keys << QString::fromLatin1(e.key(i));
    }
    return keys;
}

QStringList propertyNames(const QObject& o, int from = 1) {
    QStringList names;
    const QMetaObject* mo = o.metaObject();
    for (int i = from; i < mo->propertyCount(); ++i)
        names << QString::fromLatin1(mo->property(i).name());
    return names;
}

} // namespace

TEST(ExportComponent, EnumerationsCarryTheirPublishedNamesInOrder) {
    const QMetaObject& mo = TkxExportEnums::staticMetaObject;
    auto keys = [&](const char* name) {
        return enumKeys(mo.enumerator(mo.indexOfEnumerator(name)));
    };
    EXPECT_EQ(
        keys("TkxExportType"),
        QStringList({"xtHTML", "xtExcel", "xtWord", "xtTXT", "xtCSV", "xtTAB", "xtRTF", "xtDIF",
                     "xtSYLK", "xtClipboard", "xtXLSX", "xtODS", "xtPDF", "xtJSON"}));
    EXPECT_EQ(keys("TkxExportStyle"), QStringList({"xsFile", "xsView", "xsPrint"}));
    EXPECT_EQ(
        keys("TkxExportOptions"),
        QStringList({"xoClipboardMessage", "xoExportInvisibles", "xoFooterLine", "xoHeaderLine",
                     "xoRowNumbers", "xoShowExportDate", "xoShowHeader", "xoShowProgress",
                     "xoSelectedRowsOnly", "xoTruncate", "xoUseAlignments"}));
    EXPECT_EQ(keys("TkxExportHTMLOptions"),
              QStringList({"hoShowGridLines", "hoBoldHeaders", "hoAutoLink", "hoOddRowColoring",
                           "hoDisplayTitle"}));
    EXPECT_EQ(keys("TkxExportRTFOptions"), QStringList({"roShowGridLines", "roOddRowColoring"}));
    EXPECT_EQ(keys("TkxExportExcelOptions"),
              QStringList({"reCellsAsText", "reSetColumnWidths", "reSetMargins", "reUseBorders"}));
    EXPECT_EQ(keys("TkxExcelVersion"), QStringList({"xls21", "xls30", "xls40", "xls50"}));
    EXPECT_EQ(keys("TkxHTMLColorTemplate"),
              QStringList({"ctStandard", "ctBW", "ctClassic", "ctColorful", "ctDark", "ctGray",
                           "ctMSMoney", "ctOlive", "ctCustom"}));
    EXPECT_EQ(keys("TkxRTFColorTemplate"),
              QStringList({"rtStandard", "rtClassic", "rtColorful", "rtGray", "rtCustom"}));
    EXPECT_EQ(keys("TkxHTMLExtension"), QStringList({"exHTM", "exHTML"}));
    EXPECT_EQ(keys("TkxExportError"), QStringList({"xeNoFileName", "xeFileExists", "xeNoSource",
                                                   "xeWriteFailed", "xeSaveCancelled"}));
    static_assert(sizeof(TkxExportTypeSet) == 2 && sizeof(TkxExportOptionSet) == 2);
    static_assert(sizeof(TkxExportHTMLOptionSet) == 1 && sizeof(TkxExportExcelOptionSet) == 1);
}

TEST(ExportComponent, PublishedPropertiesAndDefaults) {
    RegionalScope regional(QLatin1Char('.'), QStringLiteral("dd/MM/yyyy"),
                           QStringLiteral("HH:mm:ss"));
    TkxCustomExport e;
    EXPECT_EQ(propertyNames(e),
              QStringList({"Captions", "ColumnWidths", "DateFormat", "TimeFormat", "DateTimeFormat",
                           "ExportType", "ExportTypes", "ExportStyle", "FileName", "HTML",
                           "Messages", "TempDir", "TruncateSymbol", "RowNumberFormat", "DOC_RTF",
                           "EXCEL", "Options", "Version"}));
    EXPECT_EQ(e.Captions()->Count(), 0);
    EXPECT_EQ(e.ColumnWidths()->Count(), 0);
    EXPECT_EQ(e.DateFormat(), "dd/MM/yyyy");
    EXPECT_EQ(e.TimeFormat(), regionalSettings().shortTimeFormat);
    EXPECT_EQ(e.DateTimeFormat(), "dd/MM/yyyy " + regionalSettings().shortTimeFormat);
    EXPECT_EQ(e.ExportType(), xtExcel);
    EXPECT_EQ(e.ExportTypes(), kxDesignExportTypes);
    EXPECT_EQ(e.ExportStyle(), xsView);
    EXPECT_EQ(e.FileName(), "");
    EXPECT_EQ(e.TempDir(), QDir::tempPath() + "/");
    EXPECT_EQ(e.TruncateSymbol(), "...");
    EXPECT_EQ(e.RowNumberFormat(), "%d");
    EXPECT_EQ(e.Options(),
              TkxExportOptionSet({xoClipboardMessage, xoFooterLine, xoHeaderLine, xoShowExportDate,
                                  xoShowHeader, xoShowProgress, xoUseAlignments}));
    EXPECT_EQ(e.property("Options").toInt(), 0x4ED);
    EXPECT_EQ(e.Version(), "2.37");
    e.setProperty("Version", QStringLiteral("9.99"));
    EXPECT_EQ(e.property("Version").toString(), "2.37");
    EXPECT_NE(e.ExcelWriter(), nullptr);
    EXPECT_TRUE(e.DocumentBuffer().isEmpty());
    EXPECT_FALSE(e.OnBeginExport || e.OnEndExport || e.OnGetExtension || e.OnError || e.OnExport ||
                 e.OnGetHeader || e.OnGetFooter || e.OnFileExist);

    const TkxMessagesOptions* m = e.Messages();
    EXPECT_EQ(propertyNames(*m),
              QStringList({"Caption", "CopiedToClipboard", "CancelCaption", "CreatedText",
                           "DocumentFilter", "ExportCaption", "ExportToFile", "FalseText", "Height",
                           "SaveTitle", "SelectFormat", "Text", "TrueText", "Width", "ViewOnly",
                           "PrintCaption", "PageNumbers"}));
    EXPECT_EQ(m->Caption, "Export");
    EXPECT_EQ(m->CopiedToClipboard, "Data was copied to clipboard!");
    EXPECT_EQ(m->CancelCaption, "&Cancel");
    EXPECT_EQ(m->CreatedText, "Created:");
    EXPECT_EQ(m->ExportCaption, "&Export");
    EXPECT_EQ(m->ExportToFile, "Export &to file");
    EXPECT_EQ(m->FalseText, "False");
    EXPECT_EQ(m->Height, 80);
    EXPECT_EQ(m->SaveTitle, "Save document");
    EXPECT_EQ(m->SelectFormat, "E&xport formats:");
    EXPECT_EQ(m->Text, "Processing...");
    EXPECT_EQ(m->TrueText, "True");
    EXPECT_EQ(m->Width, 300);
    EXPECT_EQ(m->ViewOnly, "&View only");
    const TkxDocumentFilter* f = m->DocumentFilter();
    EXPECT_EQ(propertyNames(*f), QStringList({"HTML", "Excel", "Word", "Text", "Comma", "Tab",
                                              "RTF", "DIF", "SYLK", "XLSX", "ODS", "PDF", "JSON"}));
    EXPECT_EQ(QStringList(
                  {f->HTML, f->Excel, f->Word, f->Text, f->Comma, f->Tab, f->RTF, f->DIF, f->SYLK}),
              QStringList({"HTML Documents", "Excel Files", "Word Documents", "Text Files",
                           "CSV (Comma delimited)", "Text (Tab delimited)", "Rich Text Format",
                           "Data Interchange Format", "SYLK Files"}));
}

TEST(ExportComponent, OptionObjectDefaults) {
    TkxCustomExport e;
    const TkxHTMLOptions* h = e.HTML();
    EXPECT_EQ(propertyNames(*h),
              QStringList({"CustomColors", "Extension", "Options", "Template", "Title"}));
    EXPECT_EQ(h->Extension(), exHTML);
    EXPECT_FALSE(h->isExtensionStored());
    EXPECT_EQ(h->Options().bits(), 0x1F);
    EXPECT_EQ(h->Template(), ctStandard);
    EXPECT_EQ(h->Title(), "");
    const TkxHTMLColors* c = h->CustomColors();
    EXPECT_EQ(
        propertyNames(*c),
        QStringList({"Background", "DefaultLink", "DefaultFontFace", "VisitedLink", "ActiveLink",
                     "DefaultText", "TableFontColor", "TableFontFace", "TableBackground",
                     "TableOddBackground", "HeaderBackground", "HeadersFontColor"}));
    EXPECT_EQ(c->Background(), clWhite);
    EXPECT_EQ(c->DefaultLink(), clRed);
    EXPECT_EQ(c->DefaultFontFace(), "Arial,Helvetica");
    EXPECT_EQ(c->VisitedLink(), clAqua);
    EXPECT_EQ(c->ActiveLink(), clBlue);
    EXPECT_EQ(c->DefaultText(), clBlack);
    EXPECT_EQ(c->TableFontColor(), clBlack);
    EXPECT_EQ(c->TableFontFace(), "Arial,Helvetica");
    EXPECT_EQ(c->TableBackground(), 0xFFFFCF);
    EXPECT_EQ(c->TableOddBackground(), clWhite);
    EXPECT_EQ(c->HeaderBackground(), 0x336699);
    EXPECT_EQ(c->HeadersFontColor(), clWhite);

    const TkxRTFOptions* r = e.DOC_RTF();
    EXPECT_EQ(r->Template(), rtStandard);
    EXPECT_EQ(r->Options(), TkxExportRTFOptionSet({roShowGridLines, roOddRowColoring}));
    EXPECT_EQ(r->CellWidth(), 1400);
    EXPECT_EQ(r->TopMargin(), 101);
    EXPECT_EQ(r->BottomMargin(), 101);
    EXPECT_EQ(r->LeftMargin(), 461);
    EXPECT_EQ(r->RightMargin(), 562);
    const TkxRTFColors* rc = r->CustomSettings();
    EXPECT_EQ(rc->TableBackground(), 0xFFFFCF);
    EXPECT_EQ(rc->TableOddBackground(), clWhite);
    EXPECT_EQ(rc->HeaderBackground(), 0x336699);
    for (const TFont* font : {rc->DefaultFont(), rc->HeaderFont(), rc->TableFont()}) {
        EXPECT_EQ(font->Name(), "MS Sans Serif");
        EXPECT_EQ(font->Height(), -11);
        EXPECT_EQ(font->Color(), clWindowText);
        EXPECT_EQ(font->Bold(), font == rc->HeaderFont());
    }

    const TkxExcelOptions* x = e.EXCEL();
    EXPECT_EQ(x->Options(), TkxExportExcelOptionSet({reSetMargins, reUseBorders}));
    EXPECT_EQ(x->ColumnWidth(), 20);
    EXPECT_FALSE(x->Protected());
    EXPECT_EQ(x->Header(), "");
    EXPECT_EQ(x->Footer(), "&P");
    EXPECT_EQ(x->ExcelVersion(), xls50);
    EXPECT_FALSE(x->isExcelVersionStored());
    EXPECT_TRUE(x->HeaderFont()->Bold());
    EXPECT_FALSE(x->TableFont()->Bold());
    EXPECT_EQ(x->TopMargin(), 0.3);
    EXPECT_EQ(x->RightMargin(), 0.3);
}

TEST(ExportComponent, ColourDefaultsAreTranslatableTexts) {
    setResourceLookup([](int id, QString& text) {
        if (id != rs::SkxColorTable.id) return false;
        text = QStringLiteral("$00112233");
        return true;
    });
    TkxHTMLColors colors;
    setResourceLookup({});
    EXPECT_EQ(colors.TableBackground(), 0x112233);
}

TEST(ExportComponent, AssignmentCopiesSameClassOnly) {
    TkxHTMLColors a, b;
    b.setTableBackground(0x123456);
    b.setDefaultFontFace(QStringLiteral("Verdana"));
    a.Assign(&b);
    EXPECT_EQ(a.TableBackground(), 0x123456);
    EXPECT_EQ(a.DefaultFontFace(), "Verdana");

    TkxRTFColors r1, r2;
    r2.HeaderFont()->setName(QStringLiteral("Arial"));
    r2.setHeaderBackground(7);
    r1.Assign(&r2);
    EXPECT_EQ(r1.HeaderFont()->Name(), "Arial");
    EXPECT_NE(r1.HeaderFont(), r2.HeaderFont()); // fonts are copied, not shared
    EXPECT_EQ(r1.HeaderBackground(), 7);

    TkxExcelOptions x1, x2;
    x2.setFooter(QStringLiteral("p. &P"));
    x2.setLeftMargin(1.5);
    x2.TableFont()->setBold(true);
    x1.Assign(&x2);
    EXPECT_EQ(x1.Footer(), "p. &P");
    EXPECT_EQ(x1.LeftMargin(), 1.5);
    EXPECT_TRUE(x1.TableFont()->Bold());

    // Another class, or a class that cannot be assigned as a whole, is the
    // toolkit's assignment error and leaves the target unchanged.
    try {
        a.Assign(&r2);
        FAIL() << "no error";
    } catch (const EConvertError& err) {
        EXPECT_EQ(err.message(), "Cannot assign a TkxRTFColors to a TkxHTMLColors");
    }
    EXPECT_EQ(a.TableBackground(), 0x123456);
    TkxHTMLOptions h1, h2;
    EXPECT_THROW(h1.Assign(&h2), EConvertError);
    TkxMessagesOptions m1, m2;
    EXPECT_THROW(m1.Assign(&m2), EConvertError);
    EXPECT_THROW(m1.DocumentFilter()->Assign(m2.DocumentFilter()), EConvertError);
    TkxRTFOptions o1, o2;
    EXPECT_THROW(o1.Assign(&o2), EConvertError);

    // Setting a sub-object property copies into the owned object.
    TkxCustomExport e;
    TkxHTMLColors* owned = e.HTML()->CustomColors();
    e.HTML()->setProperty("CustomColors", QVariant::fromValue(&b));
    EXPECT_EQ(e.HTML()->CustomColors(), owned);
    EXPECT_EQ(owned->TableBackground(), 0x123456);
    TFont font;
    font.setName(QStringLiteral("Courier New"));
    e.EXCEL()->setProperty("DefaultFont", QVariant::fromValue(&font));
    EXPECT_EQ(e.EXCEL()->DefaultFont()->Name(), "Courier New");
    TStrings lines;
    lines.setStrings({"a", "b"});
    e.setProperty("Captions", QVariant::fromValue(&lines));
    EXPECT_EQ(e.Captions()->Strings(), QStringList({"a", "b"}));
}

TEST(ExportComponent, CurrentTypeIsAlwaysOffered) {
    TkxCustomExport e;
    e.setExportTypes({});
    EXPECT_EQ(e.ExportTypes(), TkxExportTypeSet({xtExcel}));
    e.setExportTypes({xtHTML});
    EXPECT_EQ(e.ExportTypes(), TkxExportTypeSet({xtHTML, xtExcel}));
    e.setExportType(xtHTML);
    e.setExportTypes({xtHTML});
    e.setExportType(xtDIF);
    EXPECT_EQ(e.ExportTypes(), TkxExportTypeSet({xtHTML, xtDIF}));
    e.setProperty("ExportTypes", 0);
    EXPECT_EQ(e.ExportTypes(), TkxExportTypeSet({xtDIF}));
}

TEST(ExportComponent, RowNumberFormatMustContainLowerCaseD) {
    TkxCustomExport e;
    e.setRowNumberFormat(QStringLiteral("No. %d."));
    EXPECT_EQ(e.RowNumberFormat(), "No. %d.");
    for (const char* refused : {"%D", "No.", "%s"}) {
        QString shown;
        answerNextModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            shown = box->text();
            EXPECT_EQ(box->icon(), QMessageBox::Critical);
            box->accept();
        });
        e.setRowNumberFormat(QString::fromLatin1(refused));
        EXPECT_EQ(shown, "The format has to contain %d string.");
        EXPECT_EQ(e.RowNumberFormat(), "No. %d.");
    }
}

TEST(ExportComponent, TempDirIsComparedNormalisedAndIgnoringCase) {
    EXPECT_EQ(TkxCustomExport::NormalizeDir("/tmp/"), "/tmp");
    EXPECT_EQ(TkxCustomExport::NormalizeDir("C:\\Temp\\"), "C:\\Temp");
    EXPECT_EQ(TkxCustomExport::NormalizeDir("C:\\"), "C:\\");
    EXPECT_EQ(TkxCustomExport::NormalizeDir("/"), "/");
    EXPECT_EQ(TkxCustomExport::NormalizeDir("a//"), "a/");

    TkxCustomExport e;
    const QString system = TkxCustomExport::SystemTempDir();
    EXPECT_FALSE(e.IsTempDirStored());
    e.setTempDir(system.toUpper());
    EXPECT_EQ(e.TempDir(), system); // same folder: not even stored
    e.setTempDir(system.left(system.size() - 1));
    EXPECT_EQ(e.TempDir(), system);
    e.setTempDir(QStringLiteral("/var/exports/"));
    EXPECT_EQ(e.TempDir(), "/var/exports/");
    EXPECT_TRUE(e.IsTempDirStored());
    e.setTempDir(system.toUpper());
    EXPECT_EQ(e.TempDir(), system.toUpper());
    EXPECT_FALSE(e.IsTempDirStored());
    e.setTempDir(QString());
    EXPECT_FALSE(e.IsTempDirStored());
}

TEST(ExportComponent, DefaultExtensionsAndSaveFilters) {
    TkxCustomExport e;
    const std::pair<TkxExportType, const char*> table[] = {
        {xtHTML, "HTML"}, {xtExcel, "XLS"}, {xtWord, "DOC"}, {xtTXT, "TXT"},  {xtCSV, "CSV"},
        {xtTAB, "TXT"},   {xtRTF, "RTF"},   {xtDIF, "DIF"},  {xtSYLK, "SLK"}, {xtClipboard, "TMP"}};
    for (const auto& [type, ext] : table) {
        e.setExportType(type);
        QString extension = QStringLiteral("unchanged");
        e.GetDefaultExtension(extension);
        EXPECT_EQ(extension, ext);
    }
    e.setExportType(xtHTML);
    e.HTML()->setExtension(exHTM);
    QString extension;
    e.GetDefaultExtension(extension);
    EXPECT_EQ(extension, "HTM");
    QString filter;
    e.GetSaveFilter(filter);
    EXPECT_EQ(filter, "HTML Documents (*.htm)|*.HTM");
    e.setExportType(xtExcel);
    e.GetSaveFilter(filter);
    EXPECT_EQ(filter, "Excel Files (*.xls)|*.XLS");
    e.setExportType(xtCSV);
    e.GetSaveFilter(filter);
    EXPECT_EQ(filter, "CSV (Comma delimited) (*.csv)|*.CSV");
}

TEST(ExportComponent, AbstractContractOperationsRaiseOnTheBase) {
    TkxCustomExport e;
    TkxValues values;
    QString caption;
    EXPECT_NO_THROW(e.PrepareSource());
    EXPECT_NO_THROW(e.ReleaseSource());
    EXPECT_EQ(e.GetColumnAlignment(0), eaGeneral);
    EXPECT_THROW(e.GotoFirstRow(), EAbstractError);
    EXPECT_THROW(e.IsSourceReady(), EAbstractError);
    EXPECT_THROW(e.IsEndOfRows(), EAbstractError);
    EXPECT_THROW(e.IsColumnVisible(0), EAbstractError);
    EXPECT_THROW(e.IsRowSelected(0), EAbstractError);
    EXPECT_THROW(e.GetColumnDataWidth(0), EAbstractError);
    EXPECT_THROW(e.GetColumnCaption(0, caption), EAbstractError);
    EXPECT_THROW(e.GetColumnCount(), EAbstractError);
    EXPECT_THROW(e.GetRowValues(values), EAbstractError);
    EXPECT_THROW(e.GetRowCount(), EAbstractError);
    try {
        e.GetRowCount();
    } catch (const EAbstractError& err) {
        EXPECT_EQ(err.message(), "Abstract Error");
    }
}

TEST(ExportComponent, OwnedObjectsLiveAndDieWithTheComponent) {
    QObject owner;
    auto* e = new TkxListViewExport(&owner);
    QPointer<QObject> html = e->HTML(), writer = e->ExcelWriter(), captions = e->Captions();
    QPointer<QWidget> dialog = reinterpret_cast<QWidget*>(e->SelectionForm());
    EXPECT_EQ(e->Messages()->Caption, "Exporting DataSet");
    delete e;
    EXPECT_TRUE(html.isNull());
    EXPECT_TRUE(writer.isNull());
    EXPECT_TRUE(captions.isNull());
    EXPECT_TRUE(dialog.isNull());
}

TEST(ExportComponent, MainWindowSettings) {
    TListView view;
    TkxListViewExport e;
    kxApplyMainWindowSettings(e, &view);
    EXPECT_EQ(e.DateFormat(), "yyyy.MM.dd.");
    EXPECT_EQ(e.TimeFormat(), "h:mm");
    EXPECT_EQ(e.DateTimeFormat(), "h:mm yyyy.MM.dd.");
    EXPECT_EQ(e.ListView(), &view);
    EXPECT_EQ(e.property("ListView").value<TListView*>(), &view);
}

// --- The list-view source ---

TEST(ListViewSource, ImplementsTheContractOverTheListView) {
    auto view = makeScheduleView();
    TkxListViewExport e;
    EXPECT_FALSE(e.IsSourceReady());
    EXPECT_EQ(e.GetColumnCount(), 0);
    e.setListView(view.get());
    EXPECT_TRUE(e.IsSourceReady());
    EXPECT_EQ(e.GetColumnCount(), 5);
    EXPECT_EQ(e.GetRowCount(), 14);
    EXPECT_EQ(e.RowIndex(), 0u);
    QString caption;
    e.GetColumnCaption(3, caption);
    EXPECT_EQ(caption, "Principal");
    e.GetColumnCaption(7, caption);
    EXPECT_EQ(caption, "");
    EXPECT_EQ(e.GetColumnDataWidth(0), 3);
    EXPECT_EQ(e.GetColumnDataWidth(4), 10);
    EXPECT_EQ(e.GetColumnDataWidth(7), 0);
    EXPECT_EQ(e.GetColumnDataWidth(-1), 0);
    EXPECT_TRUE(e.IsColumnVisible(2));
    // A right-aligned column still reports no alignment.
    view->Columns()->column(1)->setAlignment(TAlignmentEnum::taRightJustify);
    EXPECT_EQ(e.GetColumnAlignment(1), eaGeneral);

    TkxValues values;
    e.GetRowValues(values);
    ASSERT_EQ(values.size(), 5u);
    EXPECT_EQ(values[0].type(), varString);
    EXPECT_EQ(values[0].toString(), "1");
    EXPECT_EQ(values[4].toString(), "921.15");
    EXPECT_FALSE(e.IsEndOfRows());
    view->setItemSelected(2, true);
    EXPECT_TRUE(e.IsRowSelected(2));
    EXPECT_FALSE(e.IsRowSelected(1));
}

TEST(ListViewSource, AnEmptyTableHasNoRowsAndNoWidths) {
    auto view = makeListView({"A", "B"}, {});
    TkxListViewExport e;
    e.setListView(view.get());
    EXPECT_EQ(e.GetRowCount(), 0);
    EXPECT_TRUE(e.IsEndOfRows());
    EXPECT_EQ(e.GetColumnDataWidth(0), 0);
    EXPECT_EQ(e.GetColumnDataWidth(1), 0);
}

TEST(ListViewSource, DataWidthsFollowEveryChangeOfTheListView) {
    auto view = makeListView({"A", "B"}, {{"ab", "c"}});
    TkxListViewExport e;
    e.setListView(view.get());
    EXPECT_EQ(e.GetColumnDataWidth(0), 2);
    view->addItem(QStringLiteral("abcd"), {QStringLiteral("x")});
    EXPECT_EQ(e.GetColumnDataWidth(0), 4);
    view->setItemCaption(1, QStringLiteral("a"));
    EXPECT_EQ(e.GetColumnDataWidth(0), 2);
    view->clearItems();
    EXPECT_EQ(e.GetColumnDataWidth(0), 0);
    view->AddColumn(QStringLiteral("C"), 50);
    view->addItem(QStringLiteral("a"), {QStringLiteral("b"), QStringLiteral("ccc")});
    EXPECT_EQ(e.GetColumnDataWidth(2), 3);
    auto other = makeListView({"A"}, {{"123456"}});
    e.setListView(other.get());
    EXPECT_EQ(e.GetColumnDataWidth(0), 6);
}

TEST(ListViewSource, AMissingSubItemIsAnIndexError) {
    auto view = makeListView({"A", "B", "C"}, {{"a", "b"}});
    TkxListViewExport e;
    e.setListView(view.get());
    TkxValues values;
    e.GotoFirstRow();
    EXPECT_THROW(e.GetRowValues(values), EListError);
    EXPECT_THROW(e.GetColumnDataWidth(2), EListError);
}

TEST(ListViewSource, ForgetsAListViewThatIsDestroyed) {
    auto view = makeListView({"A"}, {{"a"}});
    TkxListViewExport e;
    e.setListView(view.get());
    view.reset();
    EXPECT_EQ(e.ListView(), nullptr);
    EXPECT_FALSE(e.IsSourceReady());
    std::vector<TkxExportError> errors;
    e.OnError = [&](QObject*, TkxExportError err) { errors.push_back(err); };
    e.ExportData();
    EXPECT_EQ(errors, std::vector<TkxExportError>{xeNoSource});
}
