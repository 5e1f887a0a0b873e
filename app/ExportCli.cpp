// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ExportCli.h"

#include "app/ExportCliArgs.h"

#include "app/AppConsts.h"
#include "app/CliMessageGuard.h"
#include "app/CommandLine.h"
#include "app/ExportCliSchedule.h"
#include "app/ExportCliTexts.h"
#include "app/LanguageChoice.h"
#include "app/MessageIds.h"
#include "app/ScheduleTexts.h"
#include "app/SettingsFile.h"
#include "app/SettingsFilePath.h"
#include "base/Exceptions.h"
#include "base/FileSave.h"
#include "base/Format.h"
#include "base/NumberParse.h"
#include "base/ProgramFolder.h"
#include "base/RegionalSettings.h"
#include "chart/ScheduleChart.h"
#include "export/kxExportHost.h"
#include "export/kxExportTypeTable.h"
#include "export/kxTableExport.h"
#include "i18n/bsPolyglotUn.h"
#include "loan/CostSchedule.h"
#include "loan/PlanSchedule.h"
#include "loan/PlanText.h"
#include "loan/Solve.h"
#include "toolkit/ErrorDisplay.h"

#include <QFile>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace twl {

using cli::Options;
using cli::UsageError;

namespace {

void writeText(QIODevice& device, const QString& text) {
    device.write(text.toLocal8Bit());
}

// Standard output takes the document or the help text; any byte it did not
// take is a failure, with the system's reason.
int writeOut(QIODevice& out, QIODevice& err, const QByteArray& bytes) {
    if (out.write(bytes) == bytes.size()) return CliOk;
    writeText(err, QStringLiteral("twlc-export: %1\n")
                       .arg(Format(LoadResString(rs::SCliCannotWriteOutput), {out.errorString()})));
    return CliWriteFailed;
}

// "-o /dev/stdout", or the very file standard output goes to, writes to
// standard output as it is open (appending where the shell appends), not to
// a new file of that name.
bool namesStandardOutput(const QByteArray& path) {
    struct stat named {};
    struct stat out {};
    return ::stat(path.constData(), &named) == 0 && ::fstat(STDOUT_FILENO, &out) == 0 &&
           named.st_dev == out.st_dev && named.st_ino == out.st_ino;
}

// The document's file, saved as it is made; remembers what a failure left.
class FileSink : public ByteSink {
public:
    FileSink(const QString& shown, const QByteArray& native)
        : m_stream(shown, native) {}
    void write(const char* data, qsizetype size) override {
        try {
            m_stream.write(data, size);
        } catch (const EFileSaveError& e) {
            m_outcome = e.outcome();
            throw;
        }
    }
    void commit() override {
        try {
            m_stream.commit();
        } catch (const EFileSaveError& e) {
            m_outcome = e.outcome();
            throw;
        }
    }
    SaveOutcome outcome() const { return m_outcome; }

private:
    FileSaveStream m_stream;
    SaveOutcome m_outcome = SaveOutcome::Unchanged;
};

// Standard output takes the document as it is made: it needs no room
// anywhere else.
class StandardOutputSink : public ByteSink {
public:
    explicit StandardOutputSink(QIODevice& out)
        : m_out(out) {}
    void write(const char* data, qsizetype size) override {
        if (size == 0 || m_out.write(data, size) == size) return;
        m_failure = m_out.errorString();
        throw Exception(m_failure);
    }
    void commit() override {}
    // The system's reason when a byte was refused, else "".
    const QString& failure() const { return m_failure; }

private:
    QIODevice& m_out;
    QString m_failure;
};

ExportCliPictureMaker& pictureMakerSlot() {
    static ExportCliPictureMaker maker;
    return maker;
}

} // namespace

void setExportCliPictureMaker(ExportCliPictureMaker maker) {
    pictureMakerSlot() = std::move(maker);
}

bool exportCliNeedsFonts(const QList<QByteArray>& rawArguments) {
    try {
        const Options options = cli::parse(rawArguments);
        if (options.help || options.version) return false;
        if (cli::isPictureFormat(options.format)) return true;
        return kxExportTypeRow(cli::formatType(options.format))->NeedsFonts;
    } catch (const UsageError&) {
        return false;
    }
}

int runExportCli(const QStringList& arguments, QIODevice& out, QIODevice& err) {
    QList<QByteArray> raw;
    raw.reserve(arguments.size());
    for (const QString& a : arguments)
        raw.append(QFile::encodeName(a));
    return runExportCli(raw, out, err);
}

int runExportCli(const QList<QByteArray>& rawArguments, QIODevice& out, QIODevice& err) {
    const CliMessageGuard messages(err);
    Options options;
    // Told once the language is known: the language asked for, if the
    // arguments name one, else the settings file's.
    std::optional<UsageError> refused;
    try {
        options = cli::parse(rawArguments);
    } catch (const UsageError& e) {
        refused = e;
        options = Options{};
        options.language = cli::languageArgument(rawArguments);
    }
    if (options.help) return writeOut(out, err, cli::helpText().toLocal8Bit());
    if (options.version)
        return writeOut(out, err, programVersionText(QStringLiteral("twlc-export")).toLocal8Bit());
    const QByteArray epoch = qgetenv("SOURCE_DATE_EPOCH");
    if (!epoch.isEmpty()) {
        bool ok = false;
        const qint64 seconds = epoch.toLongLong(&ok);
        if (!ok && !refused) refused = UsageError{rs::SCliBadEpoch, {}, false};
        if (ok) setClock([seconds] { return QDateTime::fromSecsSinceEpoch(seconds); });
    }

    // The language as the calculator chooses it: the core's start-up folder,
    // then the folder beside the program, then the language the user asked for.
    const bool ownCore = !TbsCorePolyglot::GetCorePolyglot();
    if (ownCore) TbsCorePolyglot::Create();
    struct CoreRelease {
        bool own;
        ~CoreRelease() {
            if (own) TbsCorePolyglot::Release();
        }
    } coreRelease{ownCore};
    TbsCorePolyglot* core = TbsCorePolyglot::GetCorePolyglot();
    // The window's texts never come from resource-string replacements, so
    // neither do this command's: its documents are the window's, byte for byte.
    core->Hook().SetActive(false);
    core->Hook().SetMessageIds(userMessageIds());

    const SettingsFile settings(settingsPlace());
    ExportCliTexts window;
    try {
        core->ChangeUserFolder(userLanguageFolder());
        core->ChangeFolder(programFolder() + QStringLiteral("language/"));
        const QString unknown = chooseRequestedLanguage(*core, options.language, &settings);
        if (!unknown.isEmpty()) {
            writeText(err,
                      QStringLiteral("twlc-export: %1\n").arg(unknownLanguageText(*core, unknown)));
            return CliUsage;
        }
        window.translate(*core);
        if (messages.failed()) return CliUsage;
    } catch (const Exception& e) {
        writeText(err, QStringLiteral("twlc-export: %1\n").arg(defaultErrorText(e.message())));
        return CliUsage;
    }
    if (refused) {
        writeText(err, QStringLiteral("twlc-export: %1\n").arg(refused->message()) +
                           (refused->showUsage ? cli::usageText() : QLatin1String()));
        return CliUsage;
    }
    // After the language, so that a refused plan is told in it.
    PlanOptions plan;
    CostOptions cost;
    if (const auto line = cli::refusedInputLine([&] {
            plan = parsePlanTexts(options.plan);
            cost = parseCostTexts(options.cost);
        })) {
        writeText(err, *line);
        return CliUsage;
    }
    TScheduleTableExport& table = window.loanexp;
    try {
        for (const auto& [path, value] : options.sets)
            cli::applySet(table, path, value);
        if (!cli::isPictureFormat(options.format))
            table.setExportType(cli::formatType(options.format));
        if (messages.failed()) return CliUsage;
    } catch (const UsageError& e) {
        writeText(err, QStringLiteral("twlc-export: %1\n").arg(e.message()) + cli::usageText());
        return CliUsage;
    } catch (const Exception& e) {
        writeText(err, QStringLiteral("twlc-export: %1\n").arg(defaultErrorText(e.message())));
        return CliUsage;
    }

    QStringList captions = window.columnCaptions;
    if (plan.hasDueDates())
        captions.insert(scheduleColumn(ScheduleColumn::Due, true), window.planlabels.DueCaption);
    table.setCaptions(captions);

    ScheduleContext context;
    context.readDecimal = [&] {
        return options.decimal ? *options.decimal : readDecimalSetting(settings);
    };
    context.labels = window.planlabels.inputsRowLabels(inputsRowLabels(window.lines), plan.period);
    context.today = currentDateTime().date();
    chart::ChartData chartData;
    try {
        const auto line = cli::refusedInputLine([&] {
            ScheduleInputs inputs{options.amount, options.months, options.rate};
            if (!options.plan.payment.isNull()) solveInputs(inputs, plan);
            const PlanLabels planLabels = window.planlabels.scheduleLabels();
            const CostLabels costLabels = window.costlabels.scheduleLabels();
            if (cli::isPictureFormat(options.format)) {
                // The picture needs the numbers alone; the table's texts go nowhere.
                struct : ScheduleSink {
                    void beginRow(QStringView) override {}
                    void addCell(QStringView) override {}
                } nowhere;
                chartData = chart::calculateWithChart(inputs, plan, cost, context, planLabels,
                                                      costLabels, nowhere);
            } else {
                // A schedule has its periods and at most four rows more (the sums,
                // the inputs, a plan's comparison, the cost); a plan may end sooner,
                // and then it is only not kept where it might have been.
                std::int32_t periods = 0;
                const std::size_t expectedRows =
                    TryStrToInt(inputs.months, periods) && periods > 0
                        ? static_cast<std::size_t>(periods) + 3 + (cost.isEmpty() ? 0 : 1)
                        : 0;
                // Widths only for a document laid out to them.
                const bool wantWidths = kxExportTypeRow(table.ExportType())->LaysOutToWidestText ||
                                        table.Options().contains(xoTruncate);
                table.measure(
                    [inputs, plan, cost, context, planLabels, costLabels](ScheduleSink& sink) {
                        CalculateCostSchedule(inputs, plan, cost, context, planLabels, costLabels,
                                              sink);
                    },
                    expectedRows, wantWidths);
            }
        });
        if (line) {
            writeText(err, *line);
            return CliUsage;
        }
    } catch (const Exception& e) {
        writeText(err, defaultErrorText(e.message()) + QLatin1Char('\n'));
        return CliCalculationFailed;
    }
    if (cli::isPictureFormat(options.format)) {
        const chart::ChartData& data = chartData;
        // A picture without payments would say nothing; no file is written.
        if (data.empty()) {
            writeText(err,
                      QStringLiteral("twlc-export: %1\n").arg(LoadResString(rs::SCliNoPayments)));
            return CliCalculationFailed;
        }
        chart::ChartTexts texts =
            // The command line's table keeps the five designed columns: a Due column's
            // caption goes to the document alone.
            window.charttexts.chartTexts(window.lines, window.columnCaptions, false);
        texts.monthsLabel = context.labels.months;
        texts.cost = window.costlabels.scheduleLabels();
        texts.solvedMark = window.planlabels.scheduleLabels().solved;
        const ExportCliPictureMaker& makePicture = pictureMakerSlot();
        if (!makePicture) {
            writeText(err, QStringLiteral("twlc-export: %1\n").arg(LoadResString(rs::SkxNoWriter)));
            return CliWriteFailed;
        }
        const QByteArray picture = makePicture(
            data, texts, options.format.compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0);
        if (options.output == QLatin1String("-") || namesStandardOutput(options.outputNative))
            return writeOut(out, err, picture);
        try {
            FileSink file(options.output, options.outputNative);
            file.write(picture.constData(), picture.size());
            file.commit();
        } catch (const EFileSaveError& e) {
            // As for a document: the target and the system's reason, unless
            // the message has to say what the file now holds.
            writeText(err, e.outcome() == SaveOutcome::Unchanged
                               ? QStringLiteral("twlc-export: %1\n")
                                     .arg(Format(LoadResString(rs::SCliCannotWrite),
                                                 {options.output, e.reason()}))
                               : QStringLiteral("twlc-export: %1\n").arg(e.message()));
            return CliWriteFailed;
        } catch (const Exception& e) {
            writeText(err, QStringLiteral("twlc-export: %1\n").arg(e.message()));
            return CliWriteFailed;
        }
        return CliOk;
    }

    bool failed = false;
    table.OnError = [&](QObject*, TkxExportError) { failed = true; };
    const bool toStdout =
        options.output == QLatin1String("-") || namesStandardOutput(options.outputNative);
    StandardOutputSink standardOutput(out);
    std::optional<FileSink> file;
    if (toStdout)
        table.setDocumentSink(&standardOutput);
    else
        table.setDocumentSink(&file.emplace(options.output, options.outputNative));
    // The name is for the export's messages; the sink writes the file.
    table.WriteDocument(toStdout ? QStringLiteral("-") : options.output);
    table.setDocumentSink(nullptr);
    if (messages.failed()) return CliUsage;
    if (!standardOutput.failure().isEmpty()) {
        writeText(err, QStringLiteral("twlc-export: %1\n")
                           .arg(Format(LoadResString(rs::SCliCannotWriteOutput),
                                       {standardOutput.failure()})));
        return CliWriteFailed;
    }
    if (failed && file && file->outcome() != SaveOutcome::Unchanged) {
        // The old file is gone: say what stands there now.
        writeText(err, QStringLiteral("twlc-export: %1\n").arg(table.LastErrorText()));
        return CliWriteFailed;
    }
    const QString systemReason = table.LastErrorReason();
    if (failed && !systemReason.isEmpty()) {
        writeText(err,
                  QStringLiteral("twlc-export: %1\n")
                      .arg(Format(LoadResString(rs::SCliCannotWrite),
                                  {toStdout ? LoadResString(rs::SCliTheDocument) : options.output,
                                   systemReason})));
        return CliWriteFailed;
    }
    if (failed || table.WrittenFileName().isEmpty()) {
        QString reason = table.LastErrorText();
        if (reason.isEmpty()) reason = LoadResString(rs::SCliNotWritten);
        writeText(err, QStringLiteral("twlc-export: %1: %2\n").arg(options.output, reason));
        return CliWriteFailed;
    }
    return CliOk;
}

} // namespace twl
