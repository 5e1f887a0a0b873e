// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/kxExportTypeTable.h"

namespace twl {

const TkxExportTypeRow* kxExportTypeRow(int Type) {
    for (const TkxExportTypeRow& row : kxExportTypeTable) {
        if (static_cast<int>(row.Type) == Type) return &row;
    }
    return nullptr;
}

QString kxCommandLineFormatList(const QStringList& more) {
    // In the order of the enumeration, which is the order users have known.
    QStringList names;
    for (int type = 0; type < kxExportTypeCount; ++type) {
        const TkxExportTypeRow* row = kxExportTypeRow(type);
        if (row && row->CommandLineName) names << QLatin1String(row->CommandLineName);
    }
    names << more;
    if (names.size() < 2) return names.join(QString());
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

} // namespace twl
