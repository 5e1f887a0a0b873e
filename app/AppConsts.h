// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Resource strings of the calculator application.

#include "base/ResourceStrings.h"

namespace twl::rs {

inline constexpr ResourceString SMainCaption{1100, "Tarnwell - TWL-Calculator"};
inline constexpr ResourceString SApplicationTitle{1101, "TWL-Calculator\u00AE"};
inline constexpr ResourceString SUnableToWrite{1102, "Unable to write to %s"};
inline constexpr ResourceString SSplashName{1105, "Tarnwell"};
inline constexpr ResourceString SSplashProduct{1106, "TWL-Calculator"};
inline constexpr ResourceString SSplashVersion{1107, "v1.0.0.0"};
inline constexpr ResourceString SAmountLabel{1108, "Loan Amount"};
inline constexpr ResourceString SMonthsLabel{1109, "# of Months"};
inline constexpr ResourceString SRateLabel{1110, "Annual Interest Rate"};
inline constexpr ResourceString SCalculate{1111, "&Calculate"};
inline constexpr ResourceString SExport{1112, "&Export"};
inline constexpr ResourceString SClose{1113, "C&lose"};
inline constexpr ResourceString SColPaymentNo{1114, "Payment #"};
inline constexpr ResourceString SColPayment{1115, "Payment"};
inline constexpr ResourceString SColInterest{1116, "Interest"};
inline constexpr ResourceString SColPrincipal{1117, "Principal"};
inline constexpr ResourceString SColBalance{1118, "Balance"};
inline constexpr ResourceString SUnknownLanguage{
    1119, "There is no language named %s. The calculator starts in its default language."};
inline constexpr ResourceString SChart{1120, "C&hart"};
inline constexpr ResourceString SPlan{1121, "&Plan..."};
inline constexpr ResourceString SKnownLanguages{1160, "Languages: %s"};

// twlc-export's own messages, after "twlc-export: " on the error output.
inline constexpr ResourceString SCliNoPayments{1122, "the schedule has no payments to draw"};
inline constexpr ResourceString SCliCannotWriteOutput{1123, "cannot write standard output: %s"};
inline constexpr ResourceString SCliCannotWrite{1124, "cannot write %s: %s"};
inline constexpr ResourceString SCliTheDocument{1125, "the document"};
inline constexpr ResourceString SCliNotWritten{1126, "the document was not written"};
// Its usage errors: an argument it cannot read or a value it refuses.
inline constexpr ResourceString SCliUnknownOption{1130, "unknown option: %s"};
inline constexpr ResourceString SCliNeedsValue{1131, "%s needs a value"};
inline constexpr ResourceString SCliGivenTwice{1132, "%s is given more than once"};
inline constexpr ResourceString SCliEmptyValue{1133, "%s: the value is empty"};
inline constexpr ResourceString SCliSetForm{1134, "--set takes PATH=VALUE: %s"};
inline constexpr ResourceString SCliBadDecimal{1135,
                                               "--decimal: '%s' is not a valid integer value"};
inline constexpr ResourceString SCliMissing{1136, "%s is missing"};
inline constexpr ResourceString SCliUnknownFormat{1137, "unknown format: %s"};
inline constexpr ResourceString SCliNoProperty{1138, "no property %s in %s"};
inline constexpr ResourceString SCliNoSubProperties{1139,
                                                    "%s has no properties of its own (in %s)"};
inline constexpr ResourceString SCliEmptyPath{1140, "empty property path"};
inline constexpr ResourceString SCliSetNeedsBrackets{1141, "%s is a set: write [member,...]"};
inline constexpr ResourceString SCliNotASet{1142, "%s is not a set"};
inline constexpr ResourceString SCliNotAMember{1143, "%s is not a member of %s"};
inline constexpr ResourceString SCliCannotBeSet{1144, "%s cannot be set"};
inline constexpr ResourceString SCliBadEpoch{1145, "SOURCE_DATE_EPOCH is not a number of seconds"};
inline constexpr int CliUsageMessageFirstId = 1130;
inline constexpr int CliUsageMessageLastId = 1145;

} // namespace twl::rs
