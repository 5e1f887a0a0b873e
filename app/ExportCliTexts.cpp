// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ExportCliTexts.h"

#include "app/ScheduleTexts.h"
#include "export/kxExportHost.h"
#include "i18n/bsPolyglotUn.h"

namespace twl {

namespace {
// The main window's class, whose section the language file keys by its
// components' names.
const QString WindowSection = QStringLiteral("Tmainfrm");
} // namespace

ExportCliTexts::ExportCliTexts()
    : columnCaptions(scheduleColumnCaptions()) {
    loanexp.setObjectName(QStringLiteral("loanexp"));
    kxApplyMainWindowFormats(loanexp);
    // Interchange documents carry the main window's component as their title.
    loanexp.setDocumentClassName(QStringLiteral("TkxListViewExport"));
    planlabels.setObjectName(QStringLiteral("planlabels"));
    charttexts.setObjectName(QStringLiteral("charttexts"));
    costlabels.setObjectName(QStringLiteral("costlabels"));
}

void ExportCliTexts::translate(TbsCorePolyglot& core) {
    core.TranslateNamed(WindowSection, {{loanexp.objectName(), &loanexp},
                                        {planlabels.objectName(), &planlabels},
                                        {charttexts.objectName(), &charttexts},
                                        {costlabels.objectName(), &costlabels}});
    for (qsizetype i = 0; i < columnCaptions.size(); ++i) {
        core.LookUpText(WindowSection, QStringLiteral("loanview.Columns.Items(%1).Caption").arg(i),
                        columnCaptions[i]);
    }
    QStringList items;
    if (core.LookUpStrings(WindowSection, u"messages.Lines", items)) lines.setStrings(items);
}

} // namespace twl
