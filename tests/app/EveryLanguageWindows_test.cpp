// SPDX-License-Identifier: GPL-3.0-or-later
// Every window of the calculator in every language file the language folder
// holds (a language added later is checked too): no letter of Alt marks two
// controls of one window, every button of the main window has its letter,
// no translated header or title is cut, and a screen reader meets named
// windows and tables.

#include "app/ChartWindow.h"
#include "app/CostLabels.h"
#include "app/LanguageChoice.h"
#include "app/MainWindow.h"
#include "app/PlanDialog.h"
#include "app/PlanDialogCost.h"
#include "app/PlanLabels.h"
#include "app/Prompts.h"
#include "export/kxExportSelect.h"
#include "export/kxListViewExport.h"
#include "i18n/bsPolyglotUnWindows.h"
#include "tests/app/MainWindowFixture.h"
#include "toolkit/Controls.h"
#include "toolkit/ListView.h"
#include "widgets/LbSpeedButton.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QTest>

using namespace twl;

namespace {

class EveryLanguageWindows : public test::MainWindowFixture {
protected:
    void TearDown() override {
        setCommandLineLanguage(QString());
        MainWindowFixture::TearDown();
    }
};

// The letter a caption marks with "&" ("&&" is a plain "&"); null for none.
QChar markedLetter(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) continue;
        if (caption[i + 1] != QLatin1Char('&')) return caption[i + 1].toUpper();
        ++i;
    }
    return QChar();
}

// Every caption of a window's controls that may carry a letter.
QStringList captionsOf(QWidget* window) {
    QStringList captions;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window) continue;
        if (auto* b = qobject_cast<TLbSpeedButton*>(w))
            captions << b->Caption();
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            captions << b->text();
        else if (auto* l = qobject_cast<QLabel*>(w))
            captions << l->text();
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            captions << g->title();
    }
    return captions;
}

// The captions that mark a letter already marked by another.
QStringList clashes(const QStringList& captions) {
    QMap<QChar, QString> seen;
    QStringList found;
    for (const QString& c : captions) {
        const QChar letter = markedLetter(c);
        if (letter.isNull()) continue;
        if (seen.contains(letter)) found << seen[letter] + " / " + c;
        seen[letter] = c;
    }
    return found;
}

} // namespace

TEST_F(EveryLanguageWindows, NoLetterMarksTwoControlsAndNoTextIsCut) {
    const QStringList files = QDir(test::ShippedLanguages).entryList({"*.lng"}, QDir::Files);
    ASSERT_GE(files.size(), 4);
    for (const QString& file : files)
        dir.ship(file);
    for (const QString& file : files) {
        const QString language = file.chopped(4);
        SCOPED_TRACE(language.toStdString());
        TbsCorePolyglot::Release();
        TbsCorePolyglot::Create();
        setCommandLineLanguage(language);
        Tmainfrm form;
        ASSERT_EQ(form.lngmanager->CurrentLang(), language);
        form.show();

        EXPECT_EQ(clashes(captionsOf(&form)), QStringList());
        for (TLbSpeedButton* b :
             {form.calcbtn, form.planbtn, form.chartbtn, form.expbtn, form.cancelbtn})
            EXPECT_FALSE(markedLetter(b->Caption()).isNull()) << b->Caption().toStdString();

        TPlanDialog plan(*form.planlabels, &form, form.costlabels);
        EXPECT_EQ(clashes(captionsOf(&plan)), QStringList());
        const QHeaderView* header = plan.extrastbl->horizontalHeader();
        EXPECT_GT(header->sectionSize(0),
                  header->fontMetrics().horizontalAdvance(form.planlabels->ExtraWhen));
        const QHeaderView* fees = plan.costgrp->feestbl->horizontalHeader();
        EXPECT_GT(fees->sectionSize(0),
                  fees->fontMetrics().horizontalAdvance(form.costlabels->FeeAmount));

        TChartWindow chart(&form);
        EXPECT_EQ(clashes(captionsOf(&chart)), QStringList());

        // A screen reader meets windows, not fillers, and a named table.
        EXPECT_EQ(QAccessible::queryAccessibleInterface(&form)->role(), QAccessible::Window);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(&chart)->role(), QAccessible::Window);
        const QString tableName =
            QAccessible::queryAccessibleInterface(form.loanview)->text(QAccessible::Name);
        EXPECT_FALSE(tableName.isEmpty());
        EXPECT_EQ(tableName, form.prompts->tableName());

        form.amountedt->setText("1000");
        form.monthsedt->setText("12");
        form.interestedt->setText("12");
        form.calcbtnClick(nullptr);
        QStringList formatCaptions;
        QString title;
        int width = 0;
        test::answerNextModal([&](QWidget* w) {
            auto* dialog = qobject_cast<Tfrm_Selection*>(w);
            ASSERT_NE(dialog, nullptr);
            formatCaptions = captionsOf(dialog);
            title = dialog->windowTitle();
            width = dialog->width();
            dialog->reject();
        });
        QTest::mouseClick(form.expbtn, Qt::LeftButton);
        ASSERT_FALSE(formatCaptions.isEmpty());
        EXPECT_EQ(clashes(formatCaptions), QStringList());
        // The title bar shows the whole title beside the window's buttons.
        QFont bold = QApplication::font();
        bold.setBold(true);
        EXPECT_GE(width, QFontMetrics(bold).horizontalAdvance(title) + 80) << title.toStdString();
    }
}
