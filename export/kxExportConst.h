// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Resource strings of the export component, its dialogs and its host helpers.

#include "base/ResourceStrings.h"

namespace twl::rs {

// Entries of the format list; the entry text is the link back to its type.
inline constexpr ResourceString SkxHTML{2000, "HTML"};
inline constexpr ResourceString SkxExcel{2001, "Microsoft Excel"};
inline constexpr ResourceString SkxWord{2002, "Microsoft Word"};
inline constexpr ResourceString SkxText{2003, "Text"};
inline constexpr ResourceString SkxCSV{2004, "Comma-Separated Text"};
inline constexpr ResourceString SkxTAB{2005, "Tab-Separated Text"};
inline constexpr ResourceString SkxRTF{2006, "Rich Text"};
inline constexpr ResourceString SkxDIF{2007, "Data Interchange Format"};
inline constexpr ResourceString SkxSYLK{2008, "SYLK Format"};
inline constexpr ResourceString SkxClipboard{2009, "Clipboard"};
inline constexpr ResourceString SkxXLSX{2032, "Excel Workbook"};
inline constexpr ResourceString SkxODS{2033, "OpenDocument Spreadsheet"};
inline constexpr ResourceString SkxPDF{2034, "PDF Report"};
inline constexpr ResourceString SkxJSON{2048, "JSON"};

// Defaults of the user-visible texts.
inline constexpr ResourceString SkxCaption{2010, "Export"};
inline constexpr ResourceString SkxCopiedToClipboard{2011, "Data was copied to clipboard!"};
inline constexpr ResourceString SkxCancelCaption{2012, "&Cancel"};
inline constexpr ResourceString SkxCreatedText{2013, "Created:"};
inline constexpr ResourceString SkxExportCaption{2014, "&Export"};
inline constexpr ResourceString SkxExportToFile{2015, "Export &to file"};
inline constexpr ResourceString SkxFalseText{2016, "False"};
inline constexpr ResourceString SkxSaveTitle{2017, "Save document"};
inline constexpr ResourceString SkxSelectFormat{2018, "E&xport formats:"};
inline constexpr ResourceString SkxProcessing{2019, "Processing..."};
inline constexpr ResourceString SkxTrueText{2020, "True"};
inline constexpr ResourceString SkxViewOnly{2021, "&View only"};
inline constexpr ResourceString SkxListViewCaption{2022, "Exporting DataSet"};
inline constexpr ResourceString SkxPrintCaption{2038, "&Print"};
inline constexpr ResourceString SkxPageNumbers{2039, "Page %d of %d"};

// Save-dialog filter texts.
inline constexpr ResourceString SkxFilterHTML{2023, "HTML Documents"};
inline constexpr ResourceString SkxFilterExcel{2024, "Excel Files"};
inline constexpr ResourceString SkxFilterWord{2025, "Word Documents"};
inline constexpr ResourceString SkxFilterText{2026, "Text Files"};
inline constexpr ResourceString SkxFilterComma{2027, "CSV (Comma delimited)"};
inline constexpr ResourceString SkxFilterTab{2028, "Text (Tab delimited)"};
inline constexpr ResourceString SkxFilterRTF{2029, "Rich Text Format"};
inline constexpr ResourceString SkxFilterDIF{2030, "Data Interchange Format"};
inline constexpr ResourceString SkxFilterSYLK{2031, "SYLK Files"};
inline constexpr ResourceString SkxFilterXLSX{2035, "Excel Workbooks"};
inline constexpr ResourceString SkxFilterODS{2036, "OpenDocument Spreadsheets"};
inline constexpr ResourceString SkxFilterPDF{2037, "PDF Documents"};
inline constexpr ResourceString SkxFilterJSON{2049, "JSON Data"};

// Colour and face defaults of the option objects.
inline constexpr ResourceString SkxColorWhite{2040, "$00FFFFFF"};
inline constexpr ResourceString SkxColorRed{2041, "$000000FF"};
inline constexpr ResourceString SkxColorAqua{2042, "$00FFFF00"};
inline constexpr ResourceString SkxColorBlue{2043, "$00FF0000"};
inline constexpr ResourceString SkxColorBlack{2044, "$00000000"};
inline constexpr ResourceString SkxColorTable{2045, "$00FFFFCF"};
inline constexpr ResourceString SkxColorHeader{2046, "$00336699"};
inline constexpr ResourceString SkxFontFace{2047, "Arial,Helvetica"};

// Messages of the component.
inline constexpr ResourceString SkxRowNumberFormat{2060, "The format has to contain %d string."};
inline constexpr ResourceString SkxSelectionCaption{2061, "Exporting..."};
inline constexpr ResourceString SkxNoWriter{2062,
                                            "No document writer is installed for this export type"};
inline constexpr ResourceString SkxNoMoreTempNames{2063, "No free temporary file name in %s"};

// Messages of the host helpers.
inline constexpr ResourceString SkxExportFailed{2080, "The export to %s failed:\n%s"};
inline constexpr ResourceString SkxClipboardFailed{
    2081, "The data could not be copied to the clipboard:\n%s"};
inline constexpr ResourceString SkxFileExists{
    2082, "The file %s already exists.\nDo you want to replace it?"};
inline constexpr ResourceString SkxNoSource{2083, "There is no table to export."};
inline constexpr ResourceString SkxNoFileName{2084, "No file name was given for the export."};
inline constexpr ResourceString SkxViewFailed{
    2085, "No program could open %s.\nThe document stays in that file."};

} // namespace twl::rs
