// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window of the calculator. Where things live:
//  - the schedule calculation: loan/Amortization (CalculateSchedule) and, with
//    the borrower's plan, loan/PlanSchedule, fed into `loanview` by
//    Tmainfrm::CalculateSchedule; the plan is edited in app/PlanDialog (the
//    Plan button), kept in `plan` and in the settings file's [Plan] section;
//  - the settings file twlc.ini: app/SettingsFile (window bounds, "Decimal");
//  - export of the table: `loanexp`, the export component of export/; the name
//    each "Export to file" proposes: app/ExportFileName; the window's own
//    prompts (overwrite question, failures): `prompts`, app/Prompts;
//  - translation: `lngmanager` and `client1` of i18n/, applied when the window
//    has been built and again when FormCreate points at the language folder;
//    the language the user chose (app/LanguageChoice) is applied right after;
//  - the chart of the schedule: `chartbtn` opens app/ChartWindow, fed with
//    the calculation's numbers by chart/ScheduleChart in CalculateSchedule; its words
//    are the component `charttexts` (app/ChartWindowTexts);
//  - start-up, the splash window and the command line: app/Startup,
//    app/SplashWindow, app/CommandLine; twlc-export: app/ExportCli.

#include "app/ChartWindow.h"
#include "app/ExportFileName.h"
#include "app/ScheduleTexts.h"
#include "chart/ChartData.h"
#include "loan/Amortization.h"
#include "loan/CostSchedule.h"
#include "loan/PlanText.h"
#include "toolkit/Form.h"

#include <QPointer>
#include <memory>

class QLabel;

namespace twl {

class SettingsFile;
class TbsPolyglotManager;
class TChartTexts;
class TChartWindow;
class TbsPolyglotTranslator;
class TEdit;
class TkxListViewExport;
class TLabel;
class TLbSpeedButton;
class TListView;
class TMainPrompts;
class TMemo;
class TPlanLabels;
class TCostLabels;
class SolveBoxes;
class TPanel;
class TStrings;
class TTimer;

// Created by OpenSettings and kept until the process ends.
SettingsFile* settingsFile();

// The table's five columns (ScheduleTexts.h has their captions).
void addScheduleColumns(TListView& view);

class Tmainfrm : public TForm {
    Q_OBJECT
public:
    explicit Tmainfrm(QWidget* parent = nullptr);
    ~Tmainfrm() override;

    // Small enough for any screen, large enough that every button and the
    // table's header with a row stay in view.
    static constexpr QSize MinimumClientSize{513, 150};

    // Event handlers.
    void FormCreate(QObject* sender);
    void FormClose(QObject* sender);
    void calcbtnClick(QObject* sender);
    void expbtnClick(QObject* sender);
    void cancelbtnClick(QObject* sender);
    void chartbtnClick(QObject* sender);
    void planbtnClick(QObject* sender);
    void titletimerTimer(QObject* sender);

    void OpenSettings();
    void CalculateSchedule();

    // The components below carry the window's published names, which the
    // language files' keys use (mpanel: the inputs panel, bpanel: the button
    // row, messages: the text list whose items 98 to 102 label the inputs row,
    // the 98 before them unused; client1: the window's translator).
    TPanel* mpanel;
    TLabel* amountlbl;
    TLabel* monthlbl;
    TLabel* interestlbl;
    TEdit* amountedt;
    TEdit* monthsedt;
    TEdit* interestedt;
    TLbSpeedButton* calcbtn;
    TListView* loanview;
    TPanel* bpanel;
    TLbSpeedButton* expbtn;
    TLbSpeedButton* cancelbtn;
    TLbSpeedButton* chartbtn;
    TLbSpeedButton* planbtn;
    TMemo* messages;
    // The comparison of the plan with the plain loan, under the table; hidden
    // while there is none.
    QLabel* plansummary;
    // The cost-of-credit row in full, under the comparison; hidden without one.
    QLabel* costsummary;
    TTimer* titletimer;
    TbsPolyglotTranslator* client1;
    TbsPolyglotManager* lngmanager;
    TkxListViewExport* loanexp;
    // The window's own prompts (export failures, the overwrite question),
    // translated with the window.
    TMainPrompts* prompts;
    // The texts of the plan in the table and the Plan dialog, translated with the window.
    TPlanLabels* planlabels;
    // The texts of the cost-of-credit row, translated with the window.
    TCostLabels* costlabels;
    // The borrower's plan as the Plan dialog left it; empty: the plain loan.
    PlanTexts plan;
    // What the loan costs, from the same dialog and section; empty: no cost row.
    CostTexts cost;
    // The input the plan solves from its payment (a keyword; empty: none), and
    // the boxes of the loan under it.
    QString solveFor;
    std::unique_ptr<SolveBoxes> solveboxes;
    // The name the next "Export to file" proposes.
    ExportFileName exportFileName;
    // The chart window's words, translated with the window.
    TChartTexts* charttexts;
    // Open once the user asked for it; follows each calculation.
    QPointer<TChartWindow> chartWindow;
    // The chart of the table's current schedule.
    chart::ChartData chartData;
    // Whether the last Calculate drew a chart, failed, or had nothing to compute.
    ChartState chartState = ChartState::NotCalculated;

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void buildControls();
    void showChart();
    // Whether the table has the plan's "Due" column.
    bool hasDueColumn() const;
    // Puts the "Due" column in place when the plan has dates, and takes it
    // out again when it has none.
    void showDueColumn(bool shown);
};

} // namespace twl
