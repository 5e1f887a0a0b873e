// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The workbook writer's fixed opening records, as the tests compare them.

#include "biff/kxNativeExcel.h"
#include "tests/support/TestSupport.h"

#include <QByteArray>

namespace twl::test {

inline const QByteArray Biff5Prolog = hexBytes("09 08 06 00 00 02 10 00 00 00"
                                               "00 02 0A 00 00 00 FF FF 00 00 00 01 00 00");
inline const QByteArray Biff2Prolog = hexBytes("09 00 04 00 00 02 10 00"
                                               "00 00 08 00 00 00 FF FF 00 00 00 01");

// What the writer appended after its BOF and DIMENSIONS.
inline QByteArray body(const TkxNativeExcel& w) {
    const QByteArray& b = w.buffer();
    const qsizetype prolog = w.BIFF() == bvBIFF2 ? Biff2Prolog.size() : Biff5Prolog.size();
    return b.mid(prolog);
}

} // namespace twl::test
