// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The page of printed reports and PDF documents: Letter where the locale
// measures in inches (the United States), else A4; portrait, 15 mm margins.

#include <QPageSize>

class QPagedPaintDevice;

namespace twl {

QPageSize kxReportPageSize();
void kxSetUpReportPage(QPagedPaintDevice& Device);

} // namespace twl
