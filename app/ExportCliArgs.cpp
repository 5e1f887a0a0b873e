// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ExportCliArgs.h"

#include "app/AppConsts.h"
#include "app/SettingsFilePath.h"
#include "base/Format.h"
#include "base/NumberParse.h"
#include "export/kxExportTypeTable.h"
#include "i18n/bsINIFile.h"
#include "i18n/bsPolyglotUnModel.h"
#include "i18n/bsPolyglotUnPaths.h"
#include "loan/LoanConsts.h"

#include <QFile>
#include <QMetaEnum>
#include <map>
#include <set>

namespace twl::cli {

namespace {

const char* const UsageText =
    "Usage: twlc-export --amount AMOUNT --months N --rate RATE --format FORMAT --output FILE\n"
    "                   [--set PATH=VALUE]... [--decimal D] [--language NAME]\n"
    "                   [--first-date YYYY-MM-DD] [--extra PERIOD=AMOUNT]...\n"
    "                   [--extra-each AMOUNT[@FROM[-TO]]] [--after-extra term|payment]\n"
    "                   [--round none|cent|unit] [--period PERIOD] [--balloon AMOUNT]\n"
    "                   [--fee AMOUNT[:financed]]... [--loan-date YYYY-MM-DD] [--apr us|eu]\n"
    "                   [--payment AMOUNT] [--rate-change PERIOD=RATE]...\n"
    "                   [--after-rate-change payment|term]\n"
    "       twlc-export --help | --version\n";

const char* const HelpText =
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
    "  --payment AMOUNT    the level payment: leave out exactly one of --amount,\n"
    "                      --months and --rate, and it is solved from the other two\n"
    "                      at the first rate: the amount the payments repay, the\n"
    "                      fewest payments that repay the loan (the last one smaller),\n"
    "                      or the annual rate. The inputs row shows it, marked solved\n"
    "  --rate-change PERIOD=RATE  the annual rate in percent from payment number\n"
    "                      PERIOD on, or from the first payment due on or after PERIOD\n"
    "                      when it is a date YYYY-MM-DD (needs --first-date); may be\n"
    "                      repeated\n"
    "  --after-rate-change payment|term  after a rate change, work the payment out\n"
    "                      again so that the loan ends with its last payment (payment,\n"
    "                      the default), or keep the payment and let the term change\n"
    "                      (term; refused when the payment no longer covers the\n"
    "                      interest)\n"
    "  Amounts take the regional decimal separator, as --amount. A plan that changes the\n"
    "  payments adds a row comparing it with the plain loan. The calculator's saved plan\n"
    "  is not read: a document has only the plan given here.\n"
    "  Every option but --set, --extra, --extra-each, --rate-change and --fee is given\n"
    "  at most once, and a plan or cost option's value may not be empty.\n"
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

[[noreturn]] void refuseValue(const ResourceString& text, const QStringList& args) {
    throw UsageError{text, args, false};
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
    case PlanField::Payment:
        return "--payment";
    case PlanField::RateChange:
        return "--rate-change";
    case PlanField::AfterRateChange:
        return "--after-rate-change";
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

} // namespace

QLatin1String usageText() {
    return QLatin1String(UsageText);
}

QString helpText() {
    return QLatin1String(UsageText) + QLatin1Char('\n') +
           QString::fromLatin1(HelpText).replace(
               QLatin1String("%FORMATS%"),
               kxCommandLineFormatList({QStringLiteral("png"), QStringLiteral("svg")})) +
           settingsHelpText();
}

QString UsageError::message() const {
    std::vector<FormatArg> values(args.begin(), args.end());
    return Format(LoadResString(text), values);
}

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
                                                   {"--payment", &o.plan.payment},
                                                   {"--after-rate-change", &o.plan.afterRateChange},
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
        const bool isRateChange = name == QLatin1String("--rate-change");
        const auto planSlot = planFlags.find(name);
        const bool isPlan =
            isExtra || isExtraEach || isFee || isRateChange || planSlot != planFlags.end();
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
        } else if (isRateChange) {
            o.plan.rateChanges << value;
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
    // With a payment, exactly one of the loan's inputs is left out, to be solved.
    const bool solving = !o.plan.payment.isNull();
    if (solving && int(o.amount.isNull()) + int(o.months.isNull()) + int(o.rate.isNull()) != 1)
        refuseValue(rs::SSolveWhich, {QStringLiteral("--payment")});
    for (const auto& [name, slot] : valued) {
        const bool solvable = slot == &o.amount || slot == &o.months || slot == &o.rate;
        if (slot->isNull() && name != QLatin1String("-o") && !(solving && solvable))
            throw UsageError{rs::SCliMissing, {name}};
    }
    return o;
}

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

namespace {

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

} // namespace

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

std::optional<QString> refusedInputLine(const std::function<void()>& step) {
    try {
        step();
    } catch (const EPlanInput& e) {
        return planErrorLine(e);
    } catch (const ECostInput& e) {
        return costErrorLine(e);
    }
    return std::nullopt;
}

} // namespace twl::cli
