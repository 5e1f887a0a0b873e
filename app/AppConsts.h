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

} // namespace twl::rs
