// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"

#include "app/AppConsts.h"
#include "app/ChartWindow.h"
#include "app/ChartWindowTexts.h"
#include "app/CostLabels.h"
#include "app/LanguageChoice.h"
#include "app/PlanDialog.h"
#include "app/PlanDialogSolve.h"
#include "app/PlanDialogSolveBoxes.h"
#include "app/PlanLabels.h"
#include "app/Prompts.h"
#include "app/SettingsFile.h"
#include "app/SettingsFilePath.h"
#include "app/WindowAccessible.h"
#include "base/ProgramFolder.h"
#include "base/RegionalSettings.h"
#include "chart/ScheduleChart.h"
#include "export/kxExportHost.h"
#include "export/kxListViewExport.h"
#include "i18n/bsPolyglotUnWindows.h"
#include "loan/PlanSchedule.h"
#include "toolkit/ApplicationTitle.h"
#include "toolkit/Component.h"
#include "toolkit/Controls.h"
#include "toolkit/ErrorDisplay.h"
#include "toolkit/ListView.h"
#include "toolkit/MessageParent.h"
#include "toolkit/ModalGuard.h"
#include "toolkit/ScreenPlacement.h"
#include "toolkit/Timer.h"
#include "toolkit/UseWidgets.h"
#include "widgets/LbSpeedButtonGlyphs.h"

#include <QCloseEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace twl {

namespace {

std::unique_ptr<SettingsFile>& settingsSlot() {
    static std::unique_ptr<SettingsFile> settings;
    return settings;
}

template <class T> T* component(Tmainfrm* form, QWidget* parent, const char* name) {
    auto* c = new T(parent);
    c->setObjectName(QLatin1String(name));
    setOwner(c, form);
    return c;
}

} // namespace

SettingsFile* settingsFile() {
    return settingsSlot().get();
}

void addScheduleColumns(TListView& view) {
    const QStringList captions = scheduleColumnCaptions();
    for (qsizetype i = 0; i < captions.size(); ++i)
        view.AddColumn(captions[i], i == 0 ? 70 : 100);
}

Tmainfrm::Tmainfrm(QWidget* parent)
    : TForm(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                        Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("mainfrm"));
    // Its messages are boxes over it, whoever made the window.
    useWidgets();
    installWindowAccessibility();
    buildControls();
    finishBuilding();
    setMainWindow(this);
    FormCreate(this);
}

Tmainfrm::~Tmainfrm() = default;

void Tmainfrm::buildControls() {
    setCaption(LoadResString(rs::SMainCaption));
    setColor(clBtnFace);
    resize(535, 420);
    setMinimumSize(MinimumClientSize);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    mpanel = component<TPanel>(this, this, "mpanel");
    mpanel->setFixedHeight(49);
    amountlbl = component<TLabel>(this, mpanel, "amountlbl");
    amountlbl->move(8, 8);
    amountlbl->setCaption(LoadResString(rs::SAmountLabel));
    monthlbl = component<TLabel>(this, mpanel, "monthlbl");
    monthlbl->move(160, 8);
    monthlbl->setCaption(LoadResString(rs::SMonthsLabel));
    interestlbl = component<TLabel>(this, mpanel, "interestlbl");
    interestlbl->move(264, 8);
    interestlbl->setCaption(LoadResString(rs::SRateLabel));
    amountedt = component<TEdit>(this, mpanel, "amountedt");
    amountedt->setGeometry(8, 24, 121, 21);
    monthsedt = component<TEdit>(this, mpanel, "monthsedt");
    monthsedt->setGeometry(160, 24, 73, 21);
    interestedt = component<TEdit>(this, mpanel, "interestedt");
    interestedt->setGeometry(264, 24, 73, 21);
    for (TEdit* e : {amountedt, monthsedt, interestedt})
        e->setColor(clSilver);
    calcbtn = component<TLbSpeedButton>(this, mpanel, "calcbtn");
    calcbtn->setGeometry(400, 4, 105, 41);
    calcbtn->setCaption(LoadResString(rs::SCalculate));
    applyMainWindowButtonLook(*calcbtn, calculatorGlyph());

    loanview = component<TListView>(this, this, "loanview");
    loanview->setColor(clWhite);
    loanview->setGridLines(true);
    loanview->setReadOnly(false);
    // Rows go to a spreadsheet: Ctrl+A takes them all, Shift and Ctrl extend.
    loanview->setMultiSelect(true);
    addScheduleColumns(*loanview);

    bpanel = component<TPanel>(this, this, "bpanel");
    bpanel->setFixedHeight(40);
    expbtn = component<TLbSpeedButton>(this, bpanel, "expbtn");
    expbtn->setGeometry(308, 8, 97, 25);
    expbtn->setCaption(LoadResString(rs::SExport));
    applyMainWindowButtonLook(*expbtn, exportGlyph());
    cancelbtn = component<TLbSpeedButton>(this, bpanel, "cancelbtn");
    cancelbtn->setGeometry(408, 8, 97, 25);
    cancelbtn->setCaption(LoadResString(rs::SClose));
    applyMainWindowButtonLook(*cancelbtn, closeGlyph());
    chartbtn = component<TLbSpeedButton>(this, bpanel, "chartbtn");
    chartbtn->setGeometry(208, 8, 97, 25);
    chartbtn->setCaption(LoadResString(rs::SChart));
    applyMainWindowButtonLook(*chartbtn, chartGlyph());
    // The plan's button sits left of the chart's, in the row of the others.
    planbtn = component<TLbSpeedButton>(this, bpanel, "planbtn");
    planbtn->setGeometry(108, 8, 97, 25);
    planbtn->setCaption(LoadResString(rs::SPlan));
    applyMainWindowButtonLook(*planbtn, planGlyph());
    messages = component<TMemo>(this, bpanel, "messages");
    messages->setGeometry(8, 8, 57, 17);
    messages->setWordWrap(false);
    messages->setVisible(false);

    layout->addWidget(mpanel);
    layout->addWidget(loanview, 1);
    for (QLabel** summary : {&plansummary, &costsummary}) {
        *summary = new QLabel(this);
        (*summary)->setContentsMargins(8, 4, 8, 4);
        (*summary)->setWordWrap(true);
        (*summary)->setVisible(false);
        layout->addWidget(*summary);
    }
    plansummary->setObjectName(QStringLiteral("plansummary"));
    costsummary->setObjectName(QStringLiteral("costsummary"));
    layout->addWidget(bpanel);

    titletimer = new TTimer(this);
    titletimer->setObjectName(QStringLiteral("titletimer"));
    setOwner(titletimer, this);
    titletimer->setEnabled(false);
    titletimer->setInterval(1000);
    titletimer->OnTimer = [this](QObject* sender) { titletimerTimer(sender); };

    loanexp = new TkxListViewExport(this);
    loanexp->setObjectName(QStringLiteral("loanexp"));
    setOwner(loanexp, this);
    kxApplyMainWindowSettings(*loanexp, loanview);
    planlabels = new TPlanLabels(this);
    planlabels->setObjectName(QStringLiteral("planlabels"));
    setOwner(planlabels, this);
    costlabels = new TCostLabels(this);
    costlabels->setObjectName(QStringLiteral("costlabels"));
    setOwner(costlabels, this);
    prompts = new TMainPrompts(this);
    prompts->setObjectName(QStringLiteral("prompts"));
    setOwner(prompts, this);
    prompts->nameTable(loanview);
    // The user hears of a failed export and is asked before a file is replaced,
    // in the texts of the current language.
    kxAttachUserPrompts(*loanexp, this, [p = prompts] { return p->exportTexts(); });

    lngmanager = new TbsPolyglotManager(this);
    lngmanager->setObjectName(QStringLiteral("lngmanager"));
    setOwner(lngmanager, this);
    lngmanager->setLangsDir(QStringLiteral("./Language/"));
    lngmanager->setTranslateResourceStrings(false);
    // Its messages still follow the language file.
    if (TbsCorePolyglot* core = TbsCorePolyglot::GetCorePolyglot())
        core->Hook().SetMessageIds(userMessageIds());
    client1 = new TbsPolyglotTranslator(this);
    client1->setObjectName(QStringLiteral("client1"));
    setOwner(client1, this);
    client1->setManager(lngmanager);

    charttexts = new TChartTexts(this);
    charttexts->setObjectName(QStringLiteral("charttexts"));
    setOwner(charttexts, this);

    // Tab order: the panels, then the table between them; inside the top panel
    // the three boxes in reading order. Each button follows the boxes it
    // serves and takes focus from Tab only, so a click leaves the focus where
    // the user types; Space presses it (there is no default button: neither
    // Enter nor Escape presses one).
    for (TLbSpeedButton* b : {calcbtn, planbtn, chartbtn, expbtn, cancelbtn})
        b->setFocusPolicy(Qt::TabFocus);
    setTabOrder(amountedt, monthsedt);
    setTabOrder(monthsedt, interestedt);
    setTabOrder(interestedt, calcbtn);
    setTabOrder(calcbtn, loanview);
    setTabOrder(loanview, planbtn);
    setTabOrder(planbtn, chartbtn);
    setTabOrder(chartbtn, expbtn);
    setTabOrder(expbtn, cancelbtn);
    // Screen readers name each box after its label, translated with it.
    amountlbl->setBuddy(amountedt);
    monthlbl->setBuddy(monthsedt);
    interestlbl->setBuddy(interestedt);
    solveboxes =
        std::make_unique<SolveBoxes>(std::array<QLineEdit*, 3>{amountedt, monthsedt, interestedt});
    mpanel->setTabOrderProperty(0);
    loanview->setTabOrderProperty(1);
    bpanel->setTabOrderProperty(2);
    amountedt->setTabOrderProperty(0);
    monthsedt->setTabOrderProperty(1);
    interestedt->setTabOrderProperty(2);

    // A click, Space on the focused button and Alt with its marked letter all end here.
    calcbtn->OnClick = [this](QObject* sender) { runGuarded([&] { calcbtnClick(sender); }); };
    expbtn->OnClick = [this](QObject* sender) { runGuarded([&] { expbtnClick(sender); }); };
    cancelbtn->OnClick = [this](QObject* sender) { runGuarded([&] { cancelbtnClick(sender); }); };
    chartbtn->OnClick = [this](QObject* sender) { runGuarded([&] { chartbtnClick(sender); }); };
    planbtn->OnClick = [this](QObject* sender) { runGuarded([&] { planbtnClick(sender); }); };
}

void Tmainfrm::OpenSettings() {
    try {
        settingsSlot() = std::make_unique<SettingsFile>(settingsPlace());
    } catch (const Exception& e) {
        ShowLocalError(e);
    }
}

void Tmainfrm::FormCreate(QObject*) {
    OpenSettings();
    titletimer->setEnabled(true);
    lngmanager->setLangsDir(programFolder() + QStringLiteral("language/"));
    if (TbsCorePolyglot* core = TbsCorePolyglot::GetCorePolyglot()) {
        const QString unknown =
            chooseRequestedLanguage(*core, commandLineLanguage(), settingsFile());
        // Told once the event loop runs: the splash window, kept above every
        // other while this window is built, would hide the box.
        if (!unknown.isEmpty())
            QTimer::singleShot(0, this, [this, unknown, known = listedLanguages(*core)] {
                prompts->showUnknownLanguage(this, unknown, known);
            });
    }
    SettingsFile* s = settingsFile();
    if (!s) return;
    plan = readPlanSettings(*s);
    cost = readCostSettings(*s);
    solveFor = readSolveForSetting(*s);
    solveboxes->setSolved(solvedInput(solveFor));
    // The client area, as it was stored: the frame a window manager adds is
    // known only once the window is shown, and is brought onto the screen then.
    const QString section = QStringLiteral("Position");
    const int top = s->ReadInteger(section, QStringLiteral("Top"), 0);
    const int left = s->ReadInteger(section, QStringLiteral("Left"), 0);
    const int height = s->ReadInteger(section, QStringLiteral("Height"), 546);
    const int width = s->ReadInteger(section, QStringLiteral("Width"), 533);
    setGeometry(left, top, width, height);
}

void Tmainfrm::FormClose(QObject*) {
    SettingsFile* s = settingsFile();
    if (!s) return;
    const QString section = QStringLiteral("Position");
    // The client area: restored as such, it stays the same size at every start.
    const QRect client = geometry();
    s->WriteInteger(section, QStringLiteral("Top"), client.y());
    s->WriteInteger(section, QStringLiteral("Left"), client.x());
    s->WriteInteger(section, QStringLiteral("Height"), client.height());
    s->WriteInteger(section, QStringLiteral("Width"), client.width());
}

void Tmainfrm::showEvent(QShowEvent* e) {
    TForm::showEvent(e);
    // A stored place from another screen arrangement, or the first start at
    // the top-left corner, must not leave the title bar or the buttons off screen.
    keepFrameOnScreen(*this);
}

void Tmainfrm::closeEvent(QCloseEvent* e) {
    // A failed write is shown; the window still closes, as the user asked.
    runGuarded([this] { FormClose(this); });
    if (chartWindow) chartWindow->close();
    e->accept();
}

void Tmainfrm::calcbtnClick(QObject*) {
    loanview->clearItems();
    CalculateSchedule();
}

void Tmainfrm::expbtnClick(QObject*) {
    exportFileName.execute(*loanexp);
}

void Tmainfrm::cancelbtnClick(QObject*) {
    close();
}

void Tmainfrm::chartbtnClick(QObject*) {
    if (!chartWindow) chartWindow = new TChartWindow(this);
    showChart();
    chartWindow->show();
    chartWindow->raise();
    chartWindow->activateWindow();
}

void Tmainfrm::showChart() {
    if (!chartWindow) return;
    QStringList captions;
    for (int i = 0; i < loanview->Columns()->Count(); ++i)
        captions << loanview->Columns()->column(i)->Caption();
    chart::ChartTexts texts = charttexts->chartTexts(*messages->Lines(), captions, hasDueColumn());
    texts.monthsLabel = planlabels->countLabel(chartData.periodsPerYear, texts.monthsLabel);
    texts.cost = costlabels->scheduleLabels();
    texts.solvedMark = planlabels->scheduleLabels().solved;
    chartWindow->setChart(chartData, texts, *charttexts, chartState);
}

bool Tmainfrm::hasDueColumn() const {
    return loanview->Columns()->Count() > 5;
}

void Tmainfrm::planbtnClick(QObject*) {
    TPlanDialog dialog(*planlabels, this, costlabels);
    dialog.setTexts(plan, cost, solveFor);
    dialog.setLoan(amountedt->text(), monthsedt->text());
    if (execModal(dialog) != QDialog::Accepted) return;
    plan = dialog.texts();
    cost = dialog.costTexts();
    solveFor = dialog.solveFor();
    solveboxes->setSolved(solvedInput(solveFor));
    if (SettingsFile* s = settingsFile()) {
        writePlanSettings(*s, plan);
        writeCostSettings(*s, cost);
        writeSolveForSetting(*s, solveFor);
    }
    // A table that shows a calculation shows it with the new plan at once.
    if (loanview->itemCount() > 0) calcbtnClick(this);
}

void Tmainfrm::showDueColumn(bool shown) {
    TListColumns& columns = *loanview->Columns();
    const int due = scheduleColumn(ScheduleColumn::Due, true);
    const bool present = hasDueColumn();
    if (shown == present) return;
    // Captions move one place, so the translated ones stay with their figures.
    QStringList captions;
    std::vector<int> widths;
    for (int i = 0; i < columns.Count(); ++i) {
        captions << columns.column(i)->Caption();
        widths.push_back(columns.column(i)->Width());
    }
    if (shown) {
        captions.insert(due, planlabels->DueCaption);
        widths.insert(widths.begin() + due, 80);
        loanview->AddColumn(QString(), 0);
    } else {
        captions.removeAt(due);
        widths.erase(widths.begin() + due);
        columns.RemoveLast();
    }
    for (int i = 0; i < columns.Count(); ++i) {
        columns.column(i)->setCaption(captions[i]);
        columns.column(i)->setWidth(widths[static_cast<std::size_t>(i)]);
    }
}

void Tmainfrm::titletimerTimer(QObject*) {
    try {
        titletimer->setEnabled(false);
        setApplicationTitle(LoadResString(rs::SApplicationTitle));
    } catch (const Exception& e) {
        titletimer->setEnabled(false);
        ShowLocalError(e);
    }
}

void Tmainfrm::CalculateSchedule() {
    ScheduleContext context;
    context.readDecimal = [] {
        const SettingsFile* s = settingsFile();
        return s ? readDecimalSetting(*s) : QStringLiteral("2");
    };
    context.today = currentDateTime().date();
    // The view takes whole rows; a row cut short by an error keeps the cells it got.
    // A plan that does not read is reported before the table changes shape.
    plansummary->setVisible(false);
    costsummary->setVisible(false);
    // Until the calculation succeeds, the chart says that it failed.
    chartData = {};
    chartState = ChartState::Failed;
    PlanOptions options;
    CostOptions costOptions;
    try {
        options = parsePlanTexts(plan);
        costOptions = parseCostTexts(cost);
    } catch (...) {
        showChart();
        throw;
    }
    context.labels =
        planlabels->inputsRowLabels(inputsRowLabels(*messages->Lines()), options.period);
    showDueColumn(options.hasDueDates());
    {
        // Every row gets a cell in every column: a plan's comparison row has
        // fewer figures than a dated table has columns, and the export reads
        // each row's every column.
        QList<QStringView> padded;
        RowSink sink([this, &padded](QStringView caption, const QList<QStringView>& cells) {
            const qsizetype columns = loanview->Columns()->Count() - 1;
            if (cells.size() >= columns) {
                loanview->addItem(caption,
                                  std::span<const QStringView>(cells.data(), cells.size()));
                return;
            }
            padded = cells;
            padded.resize(columns);
            loanview->addItem(caption, std::span<const QStringView>(padded.data(), padded.size()));
        });
        // The chart takes the same calculation's numbers as the rows pass to the table.
        try {
            const ScheduleInputs inputs = solveboxes->inputs(options);
            chartData = chart::calculateWithChart(inputs, options, costOptions, context,
                                                  planlabels->scheduleLabels(),
                                                  costlabels->scheduleLabels(), sink);
        } catch (...) {
            showChart();
            throw;
        }
        chartState = loanview->itemCount() == 0 ? ChartState::NotCalculated : ChartState::Drawn;
        showChart();
    }
    if (chartData.cost) {
        costsummary->setText(costlabels->summary(*chartData.cost, chartData.totals.decimals));
        costsummary->setVisible(true);
    }
    // The comparison row, which the table cuts short, in full beside it.
    const int last = loanview->itemCount() - 1 - (chartData.cost ? 1 : 0);
    if (comparesWithPlainLoan(options) && last >= 0 &&
        loanview->itemCaption(last) == planlabels->Comparison) {
        QStringList cells;
        for (int c = 1; c < loanview->Columns()->Count(); ++c)
            if (!loanview->cellText(last, c).isEmpty()) cells << loanview->cellText(last, c);
        plansummary->setText(planlabels->Comparison + QStringLiteral(": ") +
                             cells.join(QStringLiteral(" \u2022 ")));
        plansummary->setVisible(true);
    }
}

} // namespace twl
