// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Enumerations, sets and event types of the export component. The member
// names are published (language files and twlc-export's --set use them).

#include "base/Variant.h"
#include "biff/kxNativeExcel.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <initializer_list>

namespace twl {

class TkxExportEnums {
    Q_GADGET
public:
    enum TkxExportType : std::uint8_t {
        xtHTML,
        xtExcel,
        xtWord,
        xtTXT,
        xtCSV,
        xtTAB,
        xtRTF,
        xtDIF,
        xtSYLK,
        xtClipboard,
        xtXLSX,
        xtODS,
        xtPDF,
        xtJSON
    };
    Q_ENUM(TkxExportType)
    enum TkxExportStyle : std::uint8_t { xsFile, xsView, xsPrint };
    Q_ENUM(TkxExportStyle)
    enum TkxExportOptions : std::uint8_t {
        xoClipboardMessage,
        xoExportInvisibles,
        xoFooterLine,
        xoHeaderLine,
        xoRowNumbers,
        xoShowExportDate,
        xoShowHeader,
        xoShowProgress,
        xoSelectedRowsOnly,
        xoTruncate,
        xoUseAlignments
    };
    Q_ENUM(TkxExportOptions)
    enum TkxExportHTMLOptions : std::uint8_t {
        hoShowGridLines,
        hoBoldHeaders,
        hoAutoLink,
        hoOddRowColoring,
        hoDisplayTitle
    };
    Q_ENUM(TkxExportHTMLOptions)
    enum TkxExportRTFOptions : std::uint8_t { roShowGridLines, roOddRowColoring };
    Q_ENUM(TkxExportRTFOptions)
    enum TkxExportExcelOptions : std::uint8_t {
        reCellsAsText,
        reSetColumnWidths,
        reSetMargins,
        reUseBorders
    };
    Q_ENUM(TkxExportExcelOptions)
    enum TkxExcelVersion : std::uint8_t { xls21, xls30, xls40, xls50 };
    Q_ENUM(TkxExcelVersion)
    enum TkxHTMLColorTemplate : std::uint8_t {
        ctStandard,
        ctBW,
        ctClassic,
        ctColorful,
        ctDark,
        ctGray,
        ctMSMoney,
        ctOlive,
        ctCustom
    };
    Q_ENUM(TkxHTMLColorTemplate)
    enum TkxRTFColorTemplate : std::uint8_t { rtStandard, rtClassic, rtColorful, rtGray, rtCustom };
    Q_ENUM(TkxRTFColorTemplate)
    enum TkxHTMLExtension : std::uint8_t { exHTM, exHTML };
    Q_ENUM(TkxHTMLExtension)
    enum TkxExportError : std::uint8_t {
        xeNoFileName,
        xeFileExists,
        xeNoSource,
        xeWriteFailed,
        xeSaveCancelled
    };
    Q_ENUM(TkxExportError)
};

using TkxExportType = TkxExportEnums::TkxExportType;
using TkxExportStyle = TkxExportEnums::TkxExportStyle;
using TkxExportOptions = TkxExportEnums::TkxExportOptions;
using TkxExportHTMLOptions = TkxExportEnums::TkxExportHTMLOptions;
using TkxExportRTFOptions = TkxExportEnums::TkxExportRTFOptions;
using TkxExportExcelOptions = TkxExportEnums::TkxExportExcelOptions;
using TkxExcelVersion = TkxExportEnums::TkxExcelVersion;
using TkxHTMLColorTemplate = TkxExportEnums::TkxHTMLColorTemplate;
using TkxRTFColorTemplate = TkxExportEnums::TkxRTFColorTemplate;
using TkxHTMLExtension = TkxExportEnums::TkxHTMLExtension;
using TkxExportError = TkxExportEnums::TkxExportError;
using enum TkxExportEnums::TkxExportType;
using enum TkxExportEnums::TkxExportStyle;
using enum TkxExportEnums::TkxExportOptions;
using enum TkxExportEnums::TkxExportHTMLOptions;
using enum TkxExportEnums::TkxExportRTFOptions;
using enum TkxExportEnums::TkxExportExcelOptions;
using enum TkxExportEnums::TkxExcelVersion;
using enum TkxExportEnums::TkxHTMLColorTemplate;
using enum TkxExportEnums::TkxRTFColorTemplate;
using enum TkxExportEnums::TkxHTMLExtension;
using enum TkxExportEnums::TkxExportError;

// A set over an enumeration: member n is bit n. Published as its bits.
template <class E, class Bits> class TkxSet {
public:
    constexpr TkxSet() = default;
    constexpr TkxSet(std::initializer_list<E> members) {
        for (E m : members)
            m_bits = static_cast<Bits>(m_bits | bit(m));
    }
    static constexpr TkxSet fromBits(std::uint64_t bits) {
        TkxSet s;
        s.m_bits = static_cast<Bits>(bits);
        return s;
    }
    constexpr Bits bits() const { return m_bits; }
    constexpr bool contains(E m) const { return (m_bits & bit(m)) != 0; }
    constexpr bool isEmpty() const { return m_bits == 0; }
    constexpr TkxSet with(E m) const { return fromBits(m_bits | bit(m)); }
    constexpr TkxSet without(E m) const { return fromBits(m_bits & ~bit(m)); }
    constexpr bool operator==(const TkxSet&) const = default;

private:
    static constexpr Bits bit(E m) { return static_cast<Bits>(Bits(1) << static_cast<int>(m)); }
    Bits m_bits = 0;
};

using TkxExportTypeSet = TkxSet<TkxExportType, std::uint16_t>;
using TkxExportOptionSet = TkxSet<TkxExportOptions, std::uint16_t>;
using TkxExportHTMLOptionSet = TkxSet<TkxExportHTMLOptions, std::uint8_t>;
using TkxExportRTFOptionSet = TkxSet<TkxExportRTFOptions, std::uint8_t>;
using TkxExportExcelOptionSet = TkxSet<TkxExportExcelOptions, std::uint8_t>;

// The ten types the design knows, which every stored set was written
// against: a component's default offer. The types added since, and the set
// the main window offers (every type), follow from the type table
// (kxExportTypeTable.h: kxExportTypeCount, kxWindowExportTypes).
inline constexpr TkxExportTypeSet kxDesignExportTypes = TkxExportTypeSet::fromBits(0x03FF);

// Events: an empty function is an unassigned event. In-out parameters are
// references; the row and its CanExport flag reach OnExport as values.
using TNotifyEvent = std::function<void(QObject* Sender)>;
using TEventOnGetExtension = std::function<void(QObject* Sender, QString& Extension)>;
using TEventOnError = std::function<void(QObject* Sender, TkxExportError Error)>;
using TEventOnExport = std::function<void(QObject* Sender, std::uint32_t Current,
                                          std::uint32_t Total, TkxValues Values, bool CanExport)>;
using TEventOnGetHeader =
    std::function<void(QObject* Sender, std::uint32_t RecordCount, QString& Header)>;
using TEventOnGetFooter =
    std::function<void(QObject* Sender, std::uint32_t RecordCount, QString& Footer)>;
using TEventOnFileExist =
    std::function<void(QObject* Sender, const QString& OutputFileName, bool& CanOverWrite)>;

} // namespace twl
