// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/kxReportPage.h"

#include <QLocale>
#include <QPagedPaintDevice>

namespace twl {

QPageSize kxReportPageSize() {
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize(QPageSize::Letter)
                                                                      : QPageSize(QPageSize::A4);
}

void kxSetUpReportPage(QPagedPaintDevice& Device) {
    constexpr double margin = 15;
    Device.setPageSize(kxReportPageSize());
    Device.setPageOrientation(QPageLayout::Portrait);
    Device.setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
}

} // namespace twl
