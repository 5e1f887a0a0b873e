// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Horizontal text alignment of labels and list-view columns.

#include <QObject>

namespace twl {

class TAlignmentEnum {
    Q_GADGET
public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)
};
using TAlignment = TAlignmentEnum::TAlignment;

inline Qt::Alignment toQtAlignment(TAlignment a) {
    return a == TAlignmentEnum::taCenter         ? Qt::AlignHCenter
           : a == TAlignmentEnum::taRightJustify ? Qt::AlignRight
                                                 : Qt::AlignLeft;
}

} // namespace twl
