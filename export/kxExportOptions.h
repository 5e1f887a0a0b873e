// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The option objects that a TkxCustomExport owns: HTML colours and settings,
// RTF colours and settings, workbook settings, the user-visible texts and the
// save-dialog filter texts. Their published properties are reached as
// sub-properties of the owning component (for example HTML.CustomColors.Background),
// which is how a language file or twlc-export's --set sets them.

#include "base/Font.h"
#include "base/TColor.h"
#include "export/kxExportTypes.h"

#include <QObject>
#include <QString>

namespace twl {

// The toolkit's assignment. Here it always raises EConvertError "Cannot assign
// a <source> to a <target>"; the colour and workbook option classes override it
// to copy another object of their own class.
class TkxPersistent : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void Assign(const QObject* Source);

protected:
    [[noreturn]] void AssignError(const QObject* Source) const;
};

class TkxHTMLColors : public TkxPersistent {
    Q_OBJECT
    Q_PROPERTY(int Background READ Background WRITE setBackground)
    Q_PROPERTY(int DefaultLink READ DefaultLink WRITE setDefaultLink)
    Q_PROPERTY(QString DefaultFontFace READ DefaultFontFace WRITE setDefaultFontFace)
    Q_PROPERTY(int VisitedLink READ VisitedLink WRITE setVisitedLink)
    Q_PROPERTY(int ActiveLink READ ActiveLink WRITE setActiveLink)
    Q_PROPERTY(int DefaultText READ DefaultText WRITE setDefaultText)
    Q_PROPERTY(int TableFontColor READ TableFontColor WRITE setTableFontColor)
    Q_PROPERTY(QString TableFontFace READ TableFontFace WRITE setTableFontFace)
    Q_PROPERTY(int TableBackground READ TableBackground WRITE setTableBackground)
    Q_PROPERTY(int TableOddBackground READ TableOddBackground WRITE setTableOddBackground)
    Q_PROPERTY(int HeaderBackground READ HeaderBackground WRITE setHeaderBackground)
    Q_PROPERTY(int HeadersFontColor READ HeadersFontColor WRITE setHeadersFontColor)

public:
    explicit TkxHTMLColors(QObject* parent = nullptr);
    void Assign(const QObject* Source) override;

    TColor Background() const { return m_background; }
    void setBackground(int v) { m_background = v; }
    TColor DefaultLink() const { return m_defaultLink; }
    void setDefaultLink(int v) { m_defaultLink = v; }
    QString DefaultFontFace() const { return m_defaultFontFace; }
    void setDefaultFontFace(const QString& v) { m_defaultFontFace = v; }
    TColor VisitedLink() const { return m_visitedLink; }
    void setVisitedLink(int v) { m_visitedLink = v; }
    TColor ActiveLink() const { return m_activeLink; }
    void setActiveLink(int v) { m_activeLink = v; }
    TColor DefaultText() const { return m_defaultText; }
    void setDefaultText(int v) { m_defaultText = v; }
    TColor TableFontColor() const { return m_tableFontColor; }
    void setTableFontColor(int v) { m_tableFontColor = v; }
    QString TableFontFace() const { return m_tableFontFace; }
    void setTableFontFace(const QString& v) { m_tableFontFace = v; }
    TColor TableBackground() const { return m_tableBackground; }
    void setTableBackground(int v) { m_tableBackground = v; }
    TColor TableOddBackground() const { return m_tableOddBackground; }
    void setTableOddBackground(int v) { m_tableOddBackground = v; }
    TColor HeaderBackground() const { return m_headerBackground; }
    void setHeaderBackground(int v) { m_headerBackground = v; }
    TColor HeadersFontColor() const { return m_headersFontColor; }
    void setHeadersFontColor(int v) { m_headersFontColor = v; }

private:
    TColor m_background;
    TColor m_defaultLink;
    QString m_defaultFontFace;
    TColor m_visitedLink;
    TColor m_activeLink;
    TColor m_defaultText;
    TColor m_tableFontColor;
    QString m_tableFontFace;
    TColor m_tableBackground;
    TColor m_tableOddBackground;
    TColor m_headerBackground;
    TColor m_headersFontColor;
};

class TkxHTMLOptions : public TkxPersistent {
    Q_OBJECT
    // Options is a set of these members, published as its bits.
    Q_CLASSINFO("set:Options", "TkxExportHTMLOptions")
    Q_PROPERTY(twl::TkxHTMLColors* CustomColors READ CustomColors WRITE setCustomColors)
    Q_PROPERTY(twl::TkxExportEnums::TkxHTMLExtension Extension READ Extension WRITE setExtension)
    Q_PROPERTY(int Options READ optionBits WRITE setOptionBits)
    Q_PROPERTY(twl::TkxExportEnums::TkxHTMLColorTemplate Template READ Template WRITE setTemplate)
    Q_PROPERTY(QString Title READ Title WRITE setTitle)

public:
    explicit TkxHTMLOptions(QObject* parent = nullptr);

    TkxHTMLColors* CustomColors() const { return m_customColors; }
    void setCustomColors(const TkxHTMLColors* v) { m_customColors->Assign(v); }
    TkxHTMLExtension Extension() const { return m_extension; }
    void setExtension(TkxHTMLExtension v) { m_extension = v; }
    // The declared stored default: not written when exHTML.
    Q_INVOKABLE bool isExtensionStored() const { return m_extension != exHTML; }
    TkxExportHTMLOptionSet Options() const { return m_options; }
    void setOptions(TkxExportHTMLOptionSet v) { m_options = v; }
    TkxHTMLColorTemplate Template() const { return m_template; }
    void setTemplate(TkxHTMLColorTemplate v) { m_template = v; }
    QString Title() const { return m_title; }
    void setTitle(const QString& v) { m_title = v; }

private:
    int optionBits() const { return m_options.bits(); }
    void setOptionBits(int v) {
        m_options = TkxExportHTMLOptionSet::fromBits(static_cast<unsigned>(v));
    }

    TkxHTMLColors* m_customColors;
    TkxHTMLExtension m_extension = exHTML;
    TkxExportHTMLOptionSet m_options{hoShowGridLines, hoBoldHeaders, hoAutoLink, hoOddRowColoring,
                                     hoDisplayTitle};
    TkxHTMLColorTemplate m_template = ctStandard;
    QString m_title;
};

class TkxRTFColors : public TkxPersistent {
    Q_OBJECT
    Q_PROPERTY(int TableBackground READ TableBackground WRITE setTableBackground)
    Q_PROPERTY(int TableOddBackground READ TableOddBackground WRITE setTableOddBackground)
    Q_PROPERTY(int HeaderBackground READ HeaderBackground WRITE setHeaderBackground)
    Q_PROPERTY(twl::TFont* DefaultFont READ DefaultFont WRITE setDefaultFont)
    Q_PROPERTY(twl::TFont* HeaderFont READ HeaderFont WRITE setHeaderFont)
    Q_PROPERTY(twl::TFont* TableFont READ TableFont WRITE setTableFont)

public:
    explicit TkxRTFColors(QObject* parent = nullptr);
    void Assign(const QObject* Source) override;

    TColor TableBackground() const { return m_tableBackground; }
    void setTableBackground(int v) { m_tableBackground = v; }
    TColor TableOddBackground() const { return m_tableOddBackground; }
    void setTableOddBackground(int v) { m_tableOddBackground = v; }
    TColor HeaderBackground() const { return m_headerBackground; }
    void setHeaderBackground(int v) { m_headerBackground = v; }
    TFont* DefaultFont() const { return m_defaultFont; }
    void setDefaultFont(const TFont* f) { copyFont(m_defaultFont, f); }
    TFont* HeaderFont() const { return m_headerFont; }
    void setHeaderFont(const TFont* f) { copyFont(m_headerFont, f); }
    TFont* TableFont() const { return m_tableFont; }
    void setTableFont(const TFont* f) { copyFont(m_tableFont, f); }

    static void copyFont(TFont* target, const TFont* source) {
        if (source && source != target) target->Assign(*source);
    }

private:
    TColor m_tableBackground;
    TColor m_tableOddBackground;
    TColor m_headerBackground;
    TFont* m_defaultFont;
    TFont* m_headerFont;
    TFont* m_tableFont;
};

class TkxRTFOptions : public TkxPersistent {
    Q_OBJECT
    // Options is a set of these members, published as its bits.
    Q_CLASSINFO("set:Options", "TkxExportRTFOptions")
    Q_PROPERTY(twl::TkxExportEnums::TkxRTFColorTemplate Template READ Template WRITE setTemplate)
    Q_PROPERTY(int Options READ optionBits WRITE setOptionBits)
    Q_PROPERTY(twl::TkxRTFColors* CustomSettings READ CustomSettings WRITE setCustomSettings)
    Q_PROPERTY(int CellWidth READ CellWidth WRITE setCellWidth)
    Q_PROPERTY(int TopMargin READ TopMargin WRITE setTopMargin)
    Q_PROPERTY(int BottomMargin READ BottomMargin WRITE setBottomMargin)
    Q_PROPERTY(int LeftMargin READ LeftMargin WRITE setLeftMargin)
    Q_PROPERTY(int RightMargin READ RightMargin WRITE setRightMargin)

public:
    explicit TkxRTFOptions(QObject* parent = nullptr);

    TkxRTFColorTemplate Template() const { return m_template; }
    void setTemplate(TkxRTFColorTemplate v) { m_template = v; }
    TkxExportRTFOptionSet Options() const { return m_options; }
    void setOptions(TkxExportRTFOptionSet v) { m_options = v; }
    TkxRTFColors* CustomSettings() const { return m_customSettings; }
    void setCustomSettings(const TkxRTFColors* v) { m_customSettings->Assign(v); }
    int CellWidth() const { return m_cellWidth; }
    void setCellWidth(int v) { m_cellWidth = v; }
    int TopMargin() const { return m_topMargin; }
    void setTopMargin(int v) { m_topMargin = v; }
    int BottomMargin() const { return m_bottomMargin; }
    void setBottomMargin(int v) { m_bottomMargin = v; }
    int LeftMargin() const { return m_leftMargin; }
    void setLeftMargin(int v) { m_leftMargin = v; }
    int RightMargin() const { return m_rightMargin; }
    void setRightMargin(int v) { m_rightMargin = v; }

private:
    int optionBits() const { return m_options.bits(); }
    void setOptionBits(int v) {
        m_options = TkxExportRTFOptionSet::fromBits(static_cast<unsigned>(v));
    }

    TkxRTFColorTemplate m_template = rtStandard;
    TkxExportRTFOptionSet m_options{roShowGridLines, roOddRowColoring};
    TkxRTFColors* m_customSettings;
    int m_cellWidth = 1400;
    int m_topMargin = 101;
    int m_bottomMargin = 101;
    int m_leftMargin = 461;
    int m_rightMargin = 562;
};

class TkxExcelOptions : public TkxPersistent {
    Q_OBJECT
    // Options is a set of these members, published as its bits.
    Q_CLASSINFO("set:Options", "TkxExportExcelOptions")
    Q_PROPERTY(int Options READ optionBits WRITE setOptionBits)
    Q_PROPERTY(int ColumnWidth READ ColumnWidth WRITE setColumnWidth)
    Q_PROPERTY(bool Protected READ Protected WRITE setProtected)
    Q_PROPERTY(QString Header READ Header WRITE setHeader)
    Q_PROPERTY(QString Footer READ Footer WRITE setFooter)
    Q_PROPERTY(
        twl::TkxExportEnums::TkxExcelVersion ExcelVersion READ ExcelVersion WRITE setExcelVersion)
    Q_PROPERTY(twl::TFont* DefaultFont READ DefaultFont WRITE setDefaultFont)
    Q_PROPERTY(twl::TFont* HeaderFont READ HeaderFont WRITE setHeaderFont)
    Q_PROPERTY(twl::TFont* TableFont READ TableFont WRITE setTableFont)
    Q_PROPERTY(double TopMargin READ TopMargin WRITE setTopMargin)
    Q_PROPERTY(double BottomMargin READ BottomMargin WRITE setBottomMargin)
    Q_PROPERTY(double LeftMargin READ LeftMargin WRITE setLeftMargin)
    Q_PROPERTY(double RightMargin READ RightMargin WRITE setRightMargin)

public:
    explicit TkxExcelOptions(QObject* parent = nullptr);
    void Assign(const QObject* Source) override;

    TkxExportExcelOptionSet Options() const { return m_options; }
    void setOptions(TkxExportExcelOptionSet v) { m_options = v; }
    int ColumnWidth() const { return m_columnWidth; }
    void setColumnWidth(int v) { m_columnWidth = v; }
    bool Protected() const { return m_protected; }
    void setProtected(bool v) { m_protected = v; }
    QString Header() const { return m_header; }
    void setHeader(const QString& v) { m_header = v; }
    QString Footer() const { return m_footer; }
    void setFooter(const QString& v) { m_footer = v; }
    TkxExcelVersion ExcelVersion() const { return m_excelVersion; }
    void setExcelVersion(TkxExcelVersion v) { m_excelVersion = v; }
    // The declared stored default: not written when xls50.
    Q_INVOKABLE bool isExcelVersionStored() const { return m_excelVersion != xls50; }
    TFont* DefaultFont() const { return m_defaultFont; }
    void setDefaultFont(const TFont* f) { TkxRTFColors::copyFont(m_defaultFont, f); }
    TFont* HeaderFont() const { return m_headerFont; }
    void setHeaderFont(const TFont* f) { TkxRTFColors::copyFont(m_headerFont, f); }
    TFont* TableFont() const { return m_tableFont; }
    void setTableFont(const TFont* f) { TkxRTFColors::copyFont(m_tableFont, f); }
    double TopMargin() const { return m_topMargin; }
    void setTopMargin(double v) { m_topMargin = v; }
    double BottomMargin() const { return m_bottomMargin; }
    void setBottomMargin(double v) { m_bottomMargin = v; }
    double LeftMargin() const { return m_leftMargin; }
    void setLeftMargin(double v) { m_leftMargin = v; }
    double RightMargin() const { return m_rightMargin; }
    void setRightMargin(double v) { m_rightMargin = v; }

private:
    int optionBits() const { return m_options.bits(); }
    void setOptionBits(int v) {
        m_options = TkxExportExcelOptionSet::fromBits(static_cast<unsigned>(v));
    }

    TkxExportExcelOptionSet m_options{reSetMargins, reUseBorders};
    int m_columnWidth = 20;
    bool m_protected = false;
    QString m_header;
    QString m_footer = QStringLiteral("&P");
    TkxExcelVersion m_excelVersion = xls50;
    TFont* m_defaultFont;
    TFont* m_headerFont;
    TFont* m_tableFont;
    double m_topMargin = 0.3;
    double m_bottomMargin = 0.3;
    double m_leftMargin = 0.3;
    double m_rightMargin = 0.3;
};

// The save dialog's filter texts, one property per type that saves a file;
// each row of the type table names its property and default.
class TkxDocumentFilter : public TkxPersistent {
    Q_OBJECT
    Q_PROPERTY(QString HTML MEMBER HTML)
    Q_PROPERTY(QString Excel MEMBER Excel)
    Q_PROPERTY(QString Word MEMBER Word)
    Q_PROPERTY(QString Text MEMBER Text)
    Q_PROPERTY(QString Comma MEMBER Comma)
    Q_PROPERTY(QString Tab MEMBER Tab)
    Q_PROPERTY(QString RTF MEMBER RTF)
    Q_PROPERTY(QString DIF MEMBER DIF)
    Q_PROPERTY(QString SYLK MEMBER SYLK)
    Q_PROPERTY(QString XLSX MEMBER XLSX)
    Q_PROPERTY(QString ODS MEMBER ODS)
    Q_PROPERTY(QString PDF MEMBER PDF)
    Q_PROPERTY(QString JSON MEMBER JSON)

public:
    explicit TkxDocumentFilter(QObject* parent = nullptr);

    QString HTML;
    QString Excel;
    QString Word;
    QString Text;
    QString Comma;
    QString Tab;
    QString RTF;
    QString DIF;
    QString SYLK;
    QString XLSX;
    QString ODS;
    QString PDF;
    QString JSON;
};

class TkxMessagesOptions : public TkxPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_PROPERTY(QString CopiedToClipboard MEMBER CopiedToClipboard)
    Q_PROPERTY(QString CancelCaption MEMBER CancelCaption)
    Q_PROPERTY(QString CreatedText MEMBER CreatedText)
    Q_PROPERTY(twl::TkxDocumentFilter* DocumentFilter READ DocumentFilter)
    Q_PROPERTY(QString ExportCaption MEMBER ExportCaption)
    Q_PROPERTY(QString ExportToFile MEMBER ExportToFile)
    Q_PROPERTY(QString FalseText MEMBER FalseText)
    Q_PROPERTY(int Height MEMBER Height)
    Q_PROPERTY(QString SaveTitle MEMBER SaveTitle)
    Q_PROPERTY(QString SelectFormat MEMBER SelectFormat)
    Q_PROPERTY(QString Text MEMBER Text)
    Q_PROPERTY(QString TrueText MEMBER TrueText)
    Q_PROPERTY(int Width MEMBER Width)
    Q_PROPERTY(QString ViewOnly MEMBER ViewOnly)
    Q_PROPERTY(QString PrintCaption MEMBER PrintCaption)
    Q_PROPERTY(QString PageNumbers MEMBER PageNumbers)

public:
    explicit TkxMessagesOptions(QObject* parent = nullptr);

    TkxDocumentFilter* DocumentFilter() const { return m_documentFilter; }

    QString Caption;
    QString CopiedToClipboard;
    QString CancelCaption;
    QString CreatedText;
    QString ExportCaption;
    QString ExportToFile;
    QString FalseText;
    int Height = 80;
    QString SaveTitle;
    QString SelectFormat;
    QString Text;
    QString TrueText;
    int Width = 300;
    QString ViewOnly;
    // The format dialog's choice that prints a page-based type.
    QString PrintCaption;
    // The page footer of printed and PDF pages: the page's number, then the count.
    QString PageNumbers;

private:
    TkxDocumentFilter* m_documentFilter;
};

} // namespace twl
