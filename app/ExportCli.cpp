// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ExportCli.h"

#include "app/AppConsts.h"
#include "app/ChartWindowTexts.h"
#include "app/CliMessageGuard.h"
#include "app/CommandLine.h"
#include "app/CostLabels.h"
#include "app/ExportCliSchedule.h"
#include "app/LanguageChoice.h"
#include "app/MainWindow.h"
#include "app/PlanLabels.h"
#include "app/Prompts.h"
#include "app/SettingsFile.h"
#include "app/SettingsFilePath.h"
#include "base/Exceptions.h"
#include "base/FileSave.h"
#include "base/Format.h"
#include "base/NumberParse.h"
#include "base/ProgramFolder.h"
#include "base/RegionalSettings.h"
#include "chart/ChartOutput.h"
#include "chart/ScheduleChart.h"
#include "export/kxExportHost.h"
#include "export/kxExportTypeTable.h"
#include "export/kxTableExport.h"
#include "i18n/bsINIFile.h"
#include "i18n/bsPolyglotUn.h"
#include "i18n/bsPolyglotUnModel.h"
#include "i18n/bsPolyglotUnPaths.h"
#include "loan/CostSchedule.h"
#include "loan/PlanSchedule.h"
#include "loan/PlanText.h"
#include "toolkit/Component.h"
#include "toolkit/Controls.h"
#include "toolkit/ErrorDisplay.h"
#include "toolkit/ListView.h"

#include <QFile>
#include <QMetaEnum>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace twl {

namespace cli {

// Stands in for the main window in the language file: the file's "Tmainfrm"
// section translates this object's components (the text list `messages`, the
// table `loanview` and the export component `loanexp`) as it translates the
// window's, and skips the keys of controls this host does not have.
class Tmainfrm : public QObject {
    Q_OBJECT
public:
    Tmainfrm() {
        loanview = component<TListView>("loanview");
        addScheduleColumns(*loanview);
        messages = component<TMemo>("messages");
        planlabels = new TPlanLabels(this);
        planlabels->setObjectName(QStringLiteral("planlabels"));
        setOwner(planlabels, this);
        loanexp = new TScheduleTableExport(this);
        loanexp->setObjectName(QStringLiteral("loanexp"));
        setOwner(loanexp, this);
        kxApplyMainWindowFormats(*loanexp);
        // Interchange documents carry the main window's component as their title.
        loanexp->setDocumentClassName(QStringLiteral("TkxListViewExport"));
        charttexts = new TChartTexts(this);
        charttexts->setObjectName(QStringLiteral("charttexts"));
        setOwner(charttexts, this);
        costlabels = new TCostLabels(this);
        costlabels->setObjectName(QStringLiteral("costlabels"));
        setOwner(costlabels, this);
    }
    ~Tmainfrm() override {
        delete costlabels;
        delete charttexts;
        delete loanexp;
        delete loanview;
        delete messages;
        delete planlabels;
    }

    TListView* loanview;
    TMemo* messages;
    TPlanLabels* planlabels;
    TScheduleTableExport* loanexp;
    TChartTexts* charttexts;
    TCostLabels* costlabels;

private:
    template <class T> T* component(const char* name) {
        auto* c = new T;
        c->setObjectName(QLatin1String(name));
        setOwner(c, this);
        return c;
    }
};

} // namespace cli

namespace {

const char* const Usage =
    "Usage: twlc-export --amount AMOUNT --months N --rate RATE --format FORMAT --output FILE\n"
    "                   [--set PATH=VALUE]... [--decimal D] [--language NAME]\n"
    "                   [--first-date YYYY-MM-DD] [--extra PERIOD=AMOUNT]...\n"
    "                   [--extra-each AMOUNT[@FROM[-TO]]] [--after-extra term|payment]\n"
    "                   [--round none|cent|unit] [--period PERIOD] [--balloon AMOUNT]\n"
    "                   [--fee AMOUNT[:financed]]... [--loan-date YYYY-MM-DD] [--apr us|eu]\n"
    "       twlc-export --help | --version\n";

const char* const Help =
    "Computes a loan's amortization schedule as the calculator does and writes it as one\n"
    "document.\n"
    "\n"
    "  --amount AMOUNT     loan amount (the regional decimal separator)\n"
    "  --months N          number of monthly payments\n"
    "  --rate RATE         annual interest rate in percent, not 0. With r = RATE/1200\n"
    "                      (RATE/100 over the periods a year with --period), (1 + r)\n"
    "                      to the power N must stay below 1.8E308 and, for a negative\n"
    "                      rate, at least 1 / (1 + |r| x 1.8E308): -600 works for up to\n"
    "                      1022 payments, -1199.99 for up to 60; r = -1 never, and r\n"
    "                      below -1 for one payment only\n"
    "  --format FORMAT     %FORMATS%\n"
    "                      (png and svg: the chart of the schedule)\n"
    "  -o, --output FILE   the document's file, or - for standard output\n"
    "  --set PATH=VALUE    sets a property of the export component, as a language file\n"
    "                      would (EXCEL.ExcelVersion=xls21, Messages.CreatedText=Made:);\n"
    "                      sets are written [member,member]; may be repeated\n"
    "  --decimal D         decimals of the amount cells (an integer), in place of the\n"
    "                      settings file's\n"
    "  --language NAME     the language of the texts (a file NAME.lng in the language\n"
    "                      folder, letter case ignored), in place of the settings file's\n"
    "\n"
    "The plan (none of these: the plain loan of monthly payments):\n"
    "  --first-date YYYY-MM-DD  the first payment's date; adds a Due column; every\n"
    "                      payment must fall in the year 9999 or before\n"
    "  --extra PERIOD=AMOUNT    a one-off extra payment with payment number PERIOD\n"
    "                      (decimal digits), or with the first payment due on or after\n"
    "                      PERIOD when it is a date YYYY-MM-DD (needs --first-date);\n"
    "                      may be repeated, and extras on one payment add up\n"
    "  --extra-each AMOUNT[@FROM[-TO]]  an extra with every payment, from payment FROM\n"
    "                      (default 1) to TO (default the last); may be repeated, and\n"
    "                      extras on one payment add up\n"
    "  --after-extra term|payment  after an extra, keep the payment and end sooner\n"
    "                      (term, the default) or keep the term and lower the payment\n"
    "  --round none|cent|unit  the payment rounded up to the cent or a whole unit;\n"
    "                      each interest worked out exactly from the balance in cents\n"
    "                      and the rate as typed, and rounded to the cent, a half cent\n"
    "                      away from zero; the last payment ending at 0.00. Every\n"
    "                      amount must then be whole cents: one with a fraction of a\n"
    "                      cent is refused (default none: exact figures)\n"
    "  --period PERIOD     monthly (default), semimonthly, biweekly, weekly, quarterly\n"
    "                      or yearly; --months then counts these periods and the rate\n"
    "                      per period is the annual rate divided by periods per year.\n"
    "                      Semimonthly payments fall on two days of every month, 15\n"
    "                      apart: the first date's day D and D+15, or D-15 and D when\n"
    "                      D is after the 15th (2027-01-20: 20 Jan, 5 Feb, 20 Feb...)\n"
    "  --balloon AMOUNT    left owing after the last regular payment, paid with it\n"
    "  Amounts take the regional decimal separator, as --amount. A plan that changes the\n"
    "  payments adds a row comparing it with the plain loan. The calculator's saved plan\n"
    "  is not read: a document has only the plan given here.\n"
    "  Every option but --set, --extra, --extra-each and --fee is given at most once,\n"
    "  and a plan or cost option's value may not be empty.\n"
    "\n"
    "What the loan costs (any of these adds a row after the inputs row):\n"
    "  --fee AMOUNT[:financed]  a fee paid on the loan date, out of the amount received,\n"
    "                      or with :financed added to the amount borrowed, so that the\n"
    "                      payments carry it; may be repeated\n"
    "  --loan-date YYYY-MM-DD  the day the money is paid out (needs --first-date, on or\n"
    "                      before it; default one period before the first payment)\n"
    "  --apr us|eu         the rate's rule: us, the actuarial method in unit periods; eu,\n"
    "                      the effective yearly rate with time in years (default us where\n"
    "                      the regional settings are of the United States, else eu)\n"
    "  The row gives the amount financed, the finance charge, the total of payments and\n"
    "  the rate to two decimals.\n"
    "\n"
    "  --help              this text\n"
    "  --version           the program's version and licence\n"
    "\n"
    "The settings file twlc.ini and the language folders are found as the calculator\n"
    "finds them (below). Where SOURCE_DATE_EPOCH is set, it is the current time.\n"
    "Exit status: 0 written, 1 the calculation failed, 2 wrong usage or a value refused\n"
    "(given here or in the language file), 3 the document could not be written.\n"
    "No window is ever opened: what the calculator would show in a box is one line on\n"
    "standard error.\n";

// A usage error keeps its text unformatted until it is told: the arguments
// are read before the language is known, and the message is told in it.
struct UsageError {
    ResourceString text;
    QStringList args;
    // A value refused is one line; a command that does not read also shows the usage.
    bool showUsage = true;
    QString message() const {
        std::vector<FormatArg> values(args.begin(), args.end());
        return Format(LoadResString(text), values);
    }
};

[[noreturn]] void refuseValue(const ResourceString& text, const QStringList& args) {
    throw UsageError{text, args, false};
}

struct Options {
    QString amount, months, rate, format, output;
    // The output's name as given, byte for byte: a name need not be valid
    // in the system's encoding, and the file it names is the one to write.
    QByteArray outputNative;
    std::optional<QString> decimal;
    QString language;
    std::vector<std::pair<QString, QString>> sets;
    PlanTexts plan;
    CostTexts cost;
    bool help = false;
    bool version = false;
};

// The arguments as the system gave them; each is read in the system's
// encoding, and the output's name is also kept as given.
Options parse(const QList<QByteArray>& raw) {
    QStringList args;
    args.reserve(raw.size());
    for (const QByteArray& a : raw)
        args.append(QFile::decodeName(a));
    Options o;
    std::map<QString, QString*> valued = {{"--amount", &o.amount}, {"--months", &o.months},
                                          {"--rate", &o.rate},     {"--format", &o.format},
                                          {"--output", &o.output}, {"-o", &o.output}};
    const std::map<QString, QString*> planFlags = {{"--first-date", &o.plan.firstDate},
                                                   {"--after-extra", &o.plan.afterExtra},
                                                   {"--round", &o.plan.rounding},
                                                   {"--period", &o.plan.period},
                                                   {"--balloon", &o.plan.balloon},
                                                   {"--loan-date", &o.cost.loanDate},
                                                   {"--apr", &o.cost.rule}};
    // A flag of one value given twice would silently drop the first value.
    std::set<const void*> given; // by the value it sets: -o is --output
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString name = args[i];
        QString value;
        bool inlineValue = false;
        if (name.startsWith(QLatin1String("--")) && name.contains(QLatin1Char('='))) {
            value = name.mid(name.indexOf(QLatin1Char('=')) + 1);
            name = name.left(name.indexOf(QLatin1Char('=')));
            inlineValue = true;
        }
        if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
            o.help = true;
            continue;
        }
        if (name == QLatin1String("--version")) {
            o.version = true;
            continue;
        }
        const bool isSet = name == QLatin1String("--set");
        const bool isDecimal = name == QLatin1String("--decimal");
        const bool isLanguage = name == QLatin1String("--language");
        const bool isExtra = name == QLatin1String("--extra");
        const bool isExtraEach = name == QLatin1String("--extra-each");
        const bool isFee = name == QLatin1String("--fee");
        const auto planSlot = planFlags.find(name);
        const bool isPlan = isExtra || isExtraEach || isFee || planSlot != planFlags.end();
        const auto slot = valued.find(name);
        if (!isSet && !isDecimal && !isLanguage && !isPlan && slot == valued.end())
            throw UsageError{rs::SCliUnknownOption, {args[i]}};
        if (!inlineValue) {
            if (i + 1 >= args.size()) throw UsageError{rs::SCliNeedsValue, {name}};
            value = args[++i];
        }
        const void* single = nullptr;
        if (isDecimal)
            single = &o.decimal;
        else if (isLanguage)
            single = &o.language;
        else if (planSlot != planFlags.end())
            single = planSlot->second;
        else if (slot != valued.end())
            single = slot->second;
        if (single && !given.insert(single).second) refuseValue(rs::SCliGivenTwice, {name});
        // An empty value (an unset variable of a script) is not taken as "off".
        if (isPlan && value.trimmed().isEmpty()) refuseValue(rs::SCliEmptyValue, {name});
        if (isSet) {
            const qsizetype eq = value.indexOf(QLatin1Char('='));
            if (eq <= 0) throw UsageError{rs::SCliSetForm, {value}};
            o.sets.emplace_back(value.left(eq).trimmed(), value.mid(eq + 1));
        } else if (isExtra) {
            o.plan.extras << value;
        } else if (isExtraEach) {
            o.plan.extraEach << value;
        } else if (isFee) {
            o.cost.fees << value;
        } else if (isPlan) {
            *planSlot->second = value;
        } else if (isDecimal) {
            // Refused here as a bad value, as the calculation would only fail on it.
            std::int32_t decimals = 0;
            if (!TryStrToInt(value, decimals)) refuseValue(rs::SCliBadDecimal, {value});
            o.decimal = value;
        } else if (isLanguage) {
            if (value.trimmed().isEmpty()) throw UsageError{rs::SCliNeedsValue, {name}};
            o.language = value;
        } else {
            *slot->second = value;
            if (slot->second == &o.output)
                o.outputNative = inlineValue ? raw[i].mid(raw[i].indexOf('=') + 1) : raw[i];
        }
    }
    if (o.help || o.version) return o;
    for (const auto& [name, slot] : valued) {
        if (slot->isNull() && name != QLatin1String("-o"))
            throw UsageError{rs::SCliMissing, {name}};
    }
    return o;
}

// The language the arguments ask for, read as far as they can be read.
QString languageArgument(const QList<QByteArray>& raw) {
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QString a = QFile::decodeName(raw[i]);
        if (a.startsWith(QLatin1String("--language=")))
            return a.mid(int(sizeof("--language=")) - 1);
        if (a == QLatin1String("--language") && i + 1 < raw.size())
            return QFile::decodeName(raw[i + 1]);
    }
    return {};
}

// The chart's picture formats, beside the table's document formats.
bool isPictureFormat(const QString& name) {
    return name.compare(QLatin1String("png"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0;
}

TkxExportType formatType(const QString& name) {
    for (int i = 0; i < kxExportTypeRowCount; ++i) {
        const TkxExportTypeRow& row = kxExportTypeRows()[i];
        if (row.CommandLineName &&
            name.compare(QLatin1String(row.CommandLineName), Qt::CaseInsensitive) == 0)
            return row.Type;
    }
    throw UsageError{rs::SCliUnknownFormat, {name}};
}

// The object and property a path names, walking property objects from the
// export component.
std::pair<QObject*, QMetaProperty> resolve(QObject* root, const QString& path) {
    QObject* obj = root;
    const QStringList parts = path.split(QLatin1Char('.'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QMetaProperty p = polyglot::findPublishedProperty(obj, parts[i]);
        if (!p.isValid()) throw UsageError{rs::SCliNoProperty, {parts[i], path}};
        if (i + 1 == parts.size()) return {obj, p};
        QObject* next = p.read(obj).value<QObject*>();
        if (!next) throw UsageError{rs::SCliNoSubProperties, {parts[i], path}};
        obj = next;
    }
    throw UsageError{rs::SCliEmptyPath, {}};
}

// The enumeration whose members a set property holds; invalid for other kinds.
QMetaEnum setEnumeration(const QObject* obj, const QMetaProperty& p) {
    const QByteArray element = polyglot::setElementType(obj, p);
    if (element.isEmpty()) return {};
    const QMetaObject& enums = TkxExportEnums::staticMetaObject;
    return enums.enumerator(enums.indexOfEnumerator(element.constData()));
}

void applySet(TkxCustomExport& exporter, const QString& path, const QString& value) {
    const auto [obj, prop] = resolve(&exporter, path);
    const QString trimmed = value.trimmed();
    const QMetaEnum e = setEnumeration(obj, prop);
    const bool bracketed =
        trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'));
    if (e.isValid() && !bracketed) throw UsageError{rs::SCliSetNeedsBrackets, {path}};
    if (bracketed) {
        if (!e.isValid()) throw UsageError{rs::SCliNotASet, {path}};
        int bits = 0;
        for (const QString& member : trimmed.mid(1, trimmed.size() - 2).split(QLatin1Char(','))) {
            const QString name = member.trimmed();
            if (name.isEmpty()) continue;
            bool ok = false;
            const int v = e.keyToValue(name.toLatin1().constData(), &ok);
            if (!ok) throw UsageError{rs::SCliNotAMember, {name, path}};
            bits |= 1 << v;
        }
        prop.write(obj, bits);
        return;
    }
    if (!prop.isWritable() && !prop.read(obj).value<QObject*>())
        throw UsageError{rs::SCliCannotBeSet, {path}};
    // The value goes through the translator, so every value form of a language
    // file works here, with its errors.
    const QByteArray ini = "[Set]\r\n" + path.toUtf8() + "=" + value.toUtf8() + "\r\n";
    const TbsINIFile file(TbsINIFile::FromBytes{}, ini);
    polyglot::applyPath(file, QStringLiteral("Set"), path, &exporter);
}

// The flag that gives a plan field, for the one line a bad value gets.
const char* planFlag(PlanField field) {
    switch (field) {
    case PlanField::FirstDate:
        return "--first-date";
    case PlanField::Extra:
        return "--extra";
    case PlanField::RecurringExtra:
        return "--extra-each";
    case PlanField::AfterExtra:
        return "--after-extra";
    case PlanField::Rounding:
        return "--round";
    case PlanField::Period:
        return "--period";
    case PlanField::Balloon:
        return "--balloon";
    }
    return "--extra";
}

QString planErrorLine(const EPlanInput& e) {
    return QStringLiteral("twlc-export: %1: %2\n")
        .arg(QLatin1String(planFlag(e.field())), e.message());
}

QString costErrorLine(const ECostInput& e) {
    const char* flag = e.field() == CostField::Fee        ? "--fee"
                       : e.field() == CostField::LoanDate ? "--loan-date"
                                                          : "--apr";
    return QStringLiteral("twlc-export: %1: %2\n").arg(QLatin1String(flag), e.message());
}

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

} // namespace

bool exportCliNeedsFonts(const QList<QByteArray>& rawArguments) {
    try {
        const Options options = parse(rawArguments);
        if (options.help || options.version) return false;
        if (isPictureFormat(options.format)) return true;
        return kxExportTypeRow(formatType(options.format))->NeedsFonts;
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
        options = parse(rawArguments);
    } catch (const UsageError& e) {
        refused = e;
        options = Options{};
        options.language = languageArgument(rawArguments);
    }
    if (options.help)
        return writeOut(
            out, err,
            (QLatin1String(Usage) + QLatin1Char('\n') +
             QString::fromLatin1(Help).replace(
                 QLatin1String("%FORMATS%"),
                 kxCommandLineFormatList({QStringLiteral("png"), QStringLiteral("svg")})) +
             settingsHelpText())
                .toLocal8Bit());
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
    cli::Tmainfrm host;
    try {
        core->ChangeUserFolder(userLanguageFolder());
        core->ChangeFolder(programFolder() + QStringLiteral("language/"));
        const QString unknown = chooseRequestedLanguage(*core, options.language, &settings);
        if (!unknown.isEmpty()) {
            writeText(err,
                      QStringLiteral("twlc-export: %1\n").arg(unknownLanguageText(*core, unknown)));
            return CliUsage;
        }
        core->TranslateComponent(&host);
        if (messages.failed()) return CliUsage;
    } catch (const Exception& e) {
        writeText(err, QStringLiteral("twlc-export: %1\n").arg(defaultErrorText(e.message())));
        return CliUsage;
    }
    if (refused) {
        writeText(err, QStringLiteral("twlc-export: %1\n").arg(refused->message()) +
                           (refused->showUsage ? QLatin1String(Usage) : QLatin1String()));
        return CliUsage;
    }
    // After the language, so that a refused plan is told in it.
    PlanOptions plan;
    CostOptions cost;
    try {
        plan = parsePlanTexts(options.plan);
        cost = parseCostTexts(options.cost);
    } catch (const EPlanInput& e) {
        writeText(err, planErrorLine(e));
        return CliUsage;
    } catch (const ECostInput& e) {
        writeText(err, costErrorLine(e));
        return CliUsage;
    }
    TScheduleTableExport& table = *host.loanexp;
    try {
        for (const auto& [path, value] : options.sets)
            applySet(table, path, value);
        if (!isPictureFormat(options.format)) table.setExportType(formatType(options.format));
        if (messages.failed()) return CliUsage;
    } catch (const UsageError& e) {
        writeText(err, QStringLiteral("twlc-export: %1\n").arg(e.message()) + QLatin1String(Usage));
        return CliUsage;
    } catch (const Exception& e) {
        writeText(err, QStringLiteral("twlc-export: %1\n").arg(defaultErrorText(e.message())));
        return CliUsage;
    }

    QStringList captions;
    for (int i = 0; i < host.loanview->Columns()->Count(); ++i)
        captions << host.loanview->Columns()->column(i)->Caption();
    if (plan.hasDueDates())
        captions.insert(scheduleColumn(ScheduleColumn::Due, true), host.planlabels->DueCaption);
    table.setCaptions(captions);

    ScheduleContext context;
    context.readDecimal = [&] {
        return options.decimal ? *options.decimal : readDecimalSetting(settings);
    };
    context.labels =
        host.planlabels->inputsRowLabels(inputsRowLabels(*host.messages->Lines()), plan.period);
    context.today = currentDateTime().date();
    chart::ChartData chartData;
    try {
        const ScheduleInputs inputs{options.amount, options.months, options.rate};
        const PlanLabels planLabels = host.planlabels->scheduleLabels();
        const CostLabels costLabels = host.costlabels->scheduleLabels();
        if (isPictureFormat(options.format)) {
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
    } catch (const EPlanInput& e) {
        writeText(err, planErrorLine(e));
        return CliUsage;
    } catch (const ECostInput& e) {
        writeText(err, costErrorLine(e));
        return CliUsage;
    } catch (const Exception& e) {
        writeText(err, defaultErrorText(e.message()) + QLatin1Char('\n'));
        return CliCalculationFailed;
    }
    if (isPictureFormat(options.format)) {
        const chart::ChartData& data = chartData;
        // A picture without payments would say nothing; no file is written.
        if (data.empty()) {
            writeText(err,
                      QStringLiteral("twlc-export: %1\n").arg(LoadResString(rs::SCliNoPayments)));
            return CliCalculationFailed;
        }
        chart::ChartTexts texts =
            // This host's table keeps the five designed columns: a Due column's
            // caption goes to the document alone.
            host.charttexts->chartTexts(*host.messages->Lines(), *host.loanview, false);
        texts.monthsLabel = context.labels.months;
        texts.cost = host.costlabels->scheduleLabels();
        const QByteArray picture =
            options.format.compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0
                ? chart::chartSvg(data, texts, chart::DefaultPictureSize)
                : chart::chartPng(data, texts, chart::DefaultPictureSize, 1);
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

#include "ExportCli.moc"
