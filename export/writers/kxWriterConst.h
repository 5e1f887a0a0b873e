// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Resource strings of the document writers: the colour templates of the HTML
// and RTF documents and the writers' messages. The templates are colour texts
// because the design keeps them as resource strings; the calculator does not
// read a language file's [ResourceStrings] section, so they are fixed here.

#include "base/ResourceStrings.h"

namespace twl::rs {

// HTML colour templates, one row per template in the order of
// TkxHTMLColorTemplate (ctStandard .. ctOlive), one column per colour role.
// Each text is read as a colour value and printed with its six hex digits as
// they stand, so "$00FF0000" becomes "#FF0000": these are $00RRGGBB as the
// page shows them, unlike the RTF table below, whose values are real colours
// (0x00BBGGRR, red in the low byte). Roles:
// ActiveLink, Background, DefaultLink, DefaultText, VisitedLink,
// HeaderBackground, HeadersFontColor, TableBackground, TableOddBackground,
// TableFontColor.
inline constexpr int HTMLTemplateCount = 8;
inline constexpr int HTMLColorRoleCount = 10;
inline constexpr ResourceString SkxHTMLTemplateColors[HTMLTemplateCount][HTMLColorRoleCount] = {
    {{2200, "$00FF0000"},
     {2201, "$00FFFFFF"},
     {2202, "$000000FF"},
     {2203, "$00000000"},
     {2204, "$00FFFF00"},
     {2205, "$00336699"},
     {2206, "$00FFFFFF"},
     {2207, "$00FFFFCF"},
     {2208, "$00FFFFFF"},
     {2209, "$00000000"}},
    {{2210, "$00BBBBBB"},
     {2211, "$00FFFFFF"},
     {2212, "$00AAAAAA"},
     {2213, "$00000000"},
     {2214, "$00DDDDDD"},
     {2215, "$00000000"},
     {2216, "$00FFFFFF"},
     {2217, "$00FFFFFF"},
     {2218, "$00F3F3F3"},
     {2219, "$00000000"}},
    {{2220, "$00FF0000"},
     {2221, "$00339966"},
     {2222, "$000066CC"},
     {2223, "$00000000"},
     {2224, "$00923FC1"},
     {2225, "$00000000"},
     {2226, "$00FF0000"},
     {2227, "$00006BCE"},
     {2228, "$00007AEC"},
     {2229, "$00FFFFFF"}},
    {{2230, "$00FF0000"},
     {2231, "$00339966"},
     {2232, "$000066CC"},
     {2233, "$00000000"},
     {2234, "$00923FC1"},
     {2235, "$00CC0033"},
     {2236, "$00FFFFFF"},
     {2237, "$00FFFFFF"},
     {2238, "$00FAF100"},
     {2239, "$00FFFFFF"}},
    {{2240, "$00FFFF00"},
     {2241, "$00317676"},
     {2242, "$00DDE760"},
     {2243, "$00FFE760"},
     {2244, "$00CCCC39"},
     {2245, "$003A9393"},
     {2246, "$00FFFFFF"},
     {2247, "$00004040"},
     {2248, "$00000000"},
     {2249, "$00FFFFFF"}},
    {{2250, "$00FF0000"},
     {2251, "$00FFFFFF"},
     {2252, "$000000FF"},
     {2253, "$00000000"},
     {2254, "$00FFFF00"},
     {2255, "$00808080"},
     {2256, "$00FFFFFF"},
     {2257, "$00FFFFFF"},
     {2258, "$00EEEEEE"},
     {2259, "$00000000"}},
    {{2260, "$00FF0000"},
     {2261, "$00FFFFFF"},
     {2262, "$000000FF"},
     {2263, "$00000000"},
     {2264, "$00AABBAA"},
     {2265, "$00CEC6B5"},
     {2266, "$00000000"},
     {2267, "$00DEE7DE"},
     {2268, "$00FFFBF0"},
     {2269, "$00000080"}},
    {{2270, "$00FF0000"},
     {2271, "$00FFFFFF"},
     {2272, "$000000FF"},
     {2273, "$005F605F"},
     {2274, "$00FFFF00"},
     {2275, "$00CFC890"},
     {2276, "$00000000"},
     {2277, "$00FFFFFF"},
     {2278, "$00FFFFCF"},
     {2279, "$00000000"}},
};

// The page and table font face of the HTML templates.
inline constexpr ResourceString SkxHTMLFontFace{2280, "Arial,Helvetica"};

// RTF template colours (0x00BBGGRR values).
inline constexpr ResourceString SkxRTFBlack{2290, "$00000000"};
inline constexpr ResourceString SkxRTFWhite{2291, "$00FFFFFF"};
inline constexpr ResourceString SkxRTFRed{2292, "$000000FF"};
inline constexpr ResourceString SkxRTFBlue{2293, "$00FF0000"};
inline constexpr ResourceString SkxRTFNavy{2294, "$00800000"};
inline constexpr ResourceString SkxRTFLime{2295, "$0000FF80"};
inline constexpr ResourceString SkxRTFLilac{2296, "$00FF8080"};
inline constexpr ResourceString SkxRTFGray{2297, "$00808080"};
inline constexpr ResourceString SkxRTFMint{2298, "$0080FF80"};

// Messages.
inline constexpr ResourceString SkxSheetFull{
    2320, "The table does not fit on the worksheet, which holds at most %d rows"};
inline constexpr ResourceString SkxSheetTooNarrow{
    2321, "The table does not fit on the worksheet, which holds at most %d columns"};
inline constexpr ResourceString SkxDocumentNotCreated{2322, "The document could not be created"};
// The message above, then the document type that holds the table.
inline constexpr ResourceString SkxSheetFullUse{2323, "%s; export it as %s, which holds it"};

} // namespace twl::rs
