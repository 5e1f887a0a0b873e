// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MessageIds.h"

#include "app/AppConsts.h"
#include "base/BaseConsts.h"
#include "export/kxExportConst.h"
#include "loan/LoanConsts.h"

namespace twl {

QSet<int> userMessageIds() {
    QSet<int> ids;
    for (const ResourceString& r :
         {rs::SInvalidFloat, rs::SInvalidInteger, rs::SZeroDivide, rs::SOverflow, rs::SInvalidOp,
          rs::SFCreateError, rs::SFOpenError, rs::SFPartlyWritten, rs::SFNotDurable,
          rs::STemporaryFolderError, rs::SUnableToWrite, rs::SCliNoPayments,
          rs::SCliCannotWriteOutput, rs::SCliCannotWrite, rs::SCliTheDocument, rs::SCliNotWritten,
          rs::SkxNoMoreTempNames})
        ids.insert(r.id);
    for (int id = rs::PlanMessageFirstId; id <= rs::PlanMessageLastId; ++id)
        ids.insert(id);
    for (int id = rs::CliUsageMessageFirstId; id <= rs::CliUsageMessageLastId; ++id)
        ids.insert(id);
    return ids;
}

} // namespace twl
