// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/kxExportOptions.h"

#include "base/ClassName.h"

#include "base/BaseConsts.h"
#include "base/Exceptions.h"
#include "base/Format.h"
#include "export/kxExportConst.h"
#include "export/kxExportTypeTable.h"

namespace twl {

namespace {
// Colour defaults are translatable texts such as "$00FFFFCF".
TColor colorDefault(const ResourceString& rs) {
    return StringToColor(LoadResString(rs));
}

QString className(const QObject* o) {
    return o ? unqualifiedClassName(o) : QStringLiteral("nil");
}
} // namespace

void TkxPersistent::Assign(const QObject* Source) {
    AssignError(Source);
}

void TkxPersistent::AssignError(const QObject* Source) const {
    throw EConvertError(
        Format(LoadResString(rs::SAssignError), {className(Source), className(this)}));
}

TkxHTMLColors::TkxHTMLColors(QObject* parent)
    : TkxPersistent(parent)
    , m_background(colorDefault(rs::SkxColorWhite))
    , m_defaultLink(colorDefault(rs::SkxColorRed))
    , m_defaultFontFace(LoadResString(rs::SkxFontFace))
    , m_visitedLink(colorDefault(rs::SkxColorAqua))
    , m_activeLink(colorDefault(rs::SkxColorBlue))
    , m_defaultText(colorDefault(rs::SkxColorBlack))
    , m_tableFontColor(colorDefault(rs::SkxColorBlack))
    , m_tableFontFace(LoadResString(rs::SkxFontFace))
    , m_tableBackground(colorDefault(rs::SkxColorTable))
    , m_tableOddBackground(colorDefault(rs::SkxColorWhite))
    , m_headerBackground(colorDefault(rs::SkxColorHeader))
    , m_headersFontColor(colorDefault(rs::SkxColorWhite)) {}

void TkxHTMLColors::Assign(const QObject* Source) {
    const auto* s = qobject_cast<const TkxHTMLColors*>(Source);
    if (!s) AssignError(Source);
    if (s == this) return;
    m_background = s->m_background;
    m_defaultLink = s->m_defaultLink;
    m_defaultFontFace = s->m_defaultFontFace;
    m_visitedLink = s->m_visitedLink;
    m_activeLink = s->m_activeLink;
    m_defaultText = s->m_defaultText;
    m_tableFontColor = s->m_tableFontColor;
    m_tableFontFace = s->m_tableFontFace;
    m_tableBackground = s->m_tableBackground;
    m_tableOddBackground = s->m_tableOddBackground;
    m_headerBackground = s->m_headerBackground;
    m_headersFontColor = s->m_headersFontColor;
}

TkxHTMLOptions::TkxHTMLOptions(QObject* parent)
    : TkxPersistent(parent)
    , m_customColors(new TkxHTMLColors(this)) {
    m_customColors->setObjectName(QStringLiteral("CustomColors"));
}

TkxRTFColors::TkxRTFColors(QObject* parent)
    : TkxPersistent(parent)
    , m_tableBackground(colorDefault(rs::SkxColorTable))
    , m_tableOddBackground(colorDefault(rs::SkxColorWhite))
    , m_headerBackground(colorDefault(rs::SkxColorHeader))
    , m_defaultFont(new TFont(this))
    , m_headerFont(new TFont(this))
    , m_tableFont(new TFont(this)) {
    m_headerFont->setBold(true);
}

void TkxRTFColors::Assign(const QObject* Source) {
    const auto* s = qobject_cast<const TkxRTFColors*>(Source);
    if (!s) AssignError(Source);
    if (s == this) return;
    m_tableBackground = s->m_tableBackground;
    m_tableOddBackground = s->m_tableOddBackground;
    m_headerBackground = s->m_headerBackground;
    m_defaultFont->Assign(*s->m_defaultFont);
    m_headerFont->Assign(*s->m_headerFont);
    m_tableFont->Assign(*s->m_tableFont);
}

TkxRTFOptions::TkxRTFOptions(QObject* parent)
    : TkxPersistent(parent)
    , m_customSettings(new TkxRTFColors(this)) {
    m_customSettings->setObjectName(QStringLiteral("CustomSettings"));
}

TkxExcelOptions::TkxExcelOptions(QObject* parent)
    : TkxPersistent(parent)
    , m_defaultFont(new TFont(this))
    , m_headerFont(new TFont(this))
    , m_tableFont(new TFont(this)) {
    m_headerFont->setBold(true);
}

void TkxExcelOptions::Assign(const QObject* Source) {
    const auto* s = qobject_cast<const TkxExcelOptions*>(Source);
    if (!s) AssignError(Source);
    if (s == this) return;
    m_options = s->m_options;
    m_columnWidth = s->m_columnWidth;
    m_protected = s->m_protected;
    m_header = s->m_header;
    m_footer = s->m_footer;
    m_excelVersion = s->m_excelVersion;
    m_defaultFont->Assign(*s->m_defaultFont);
    m_headerFont->Assign(*s->m_headerFont);
    m_tableFont->Assign(*s->m_tableFont);
    m_topMargin = s->m_topMargin;
    m_bottomMargin = s->m_bottomMargin;
    m_leftMargin = s->m_leftMargin;
    m_rightMargin = s->m_rightMargin;
}

TkxDocumentFilter::TkxDocumentFilter(QObject* parent)
    : TkxPersistent(parent) {
    // Each property's default is its row's filter text.
    for (const TkxExportTypeRow& row : kxExportTypeTable) {
        if (row.FilterProperty) setProperty(row.FilterProperty, LoadResString(*row.Filter));
    }
}

TkxMessagesOptions::TkxMessagesOptions(QObject* parent)
    : TkxPersistent(parent)
    , Caption(LoadResString(rs::SkxCaption))
    , CopiedToClipboard(LoadResString(rs::SkxCopiedToClipboard))
    , CancelCaption(LoadResString(rs::SkxCancelCaption))
    , CreatedText(LoadResString(rs::SkxCreatedText))
    , ExportCaption(LoadResString(rs::SkxExportCaption))
    , ExportToFile(LoadResString(rs::SkxExportToFile))
    , FalseText(LoadResString(rs::SkxFalseText))
    , SaveTitle(LoadResString(rs::SkxSaveTitle))
    , SelectFormat(LoadResString(rs::SkxSelectFormat))
    , Text(LoadResString(rs::SkxProcessing))
    , TrueText(LoadResString(rs::SkxTrueText))
    , ViewOnly(LoadResString(rs::SkxViewOnly))
    , PrintCaption(LoadResString(rs::SkxPrintCaption))
    , PageNumbers(LoadResString(rs::SkxPageNumbers))
    , m_documentFilter(new TkxDocumentFilter(this)) {
    m_documentFilter->setObjectName(QStringLiteral("DocumentFilter"));
}

} // namespace twl
