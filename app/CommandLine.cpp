// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "app/SettingsFilePath.h"

namespace twl {

CalculatorCommandLine parseCalculatorCommandLine(const QStringList& arguments) {
    CalculatorCommandLine result;
    auto usage = [&result](const QString& error) {
        result.action = CalculatorCommandLine::Usage;
        result.error = error;
        return result;
    };
    // Help and version win wherever they stand, even among options meant for Qt.
    for (const QString& arg : arguments) {
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            result.action = CalculatorCommandLine::Help;
            return result;
        }
        if (arg == QLatin1String("--version")) {
            result.action = CalculatorCommandLine::Version;
            return result;
        }
    }
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--language")) {
            if (i + 1 >= arguments.size()) return usage(QStringLiteral("--language needs a value"));
            result.language = arguments[++i];
        } else if (arg.startsWith(QLatin1String("--language="))) {
            result.language = arg.mid(arg.indexOf(QLatin1Char('=')) + 1);
        } else {
            return usage(arg.startsWith(QLatin1Char('-'))
                             ? QStringLiteral("unknown option: %1").arg(arg)
                             : QStringLiteral("unexpected argument: %1").arg(arg));
        }
        if (result.language.trimmed().isEmpty())
            return usage(QStringLiteral("--language needs a value"));
    }
    return result;
}

QString calculatorUsageText() {
    return QStringLiteral("Usage: twlc [--language NAME]\n"
                          "       twlc --help | --version\n");
}

QString calculatorHelpText() {
    return calculatorUsageText() +
           QStringLiteral(
               "\n"
               "The loan calculator: the payment of a loan and its schedule, planned with\n"
               "dates, extra payments, lender's rounding, payment periods and a balloon; the\n"
               "schedule exported to HTML, XLS, Word, text, CSV, tab-separated text, RTF, DIF,\n"
               "SYLK, XLSX, ODS, JSON, a PDF report or the clipboard, printed, and drawn as a\n"
               "chart.\n"
               "\n"
               "  --language NAME   the language of the windows: the file NAME.lng in the\n"
               "                    language folders, letter case ignored.\n"
               "                    Without it, Language=NAME in section [Settings] of twlc.ini;\n"
               "                    else English, else the first language found.\n"
               "  --help            this text\n"
               "  --version         the program's version and licence\n"
               "\n"
               "An installed calculator keeps twlc.ini in $XDG_CONFIG_HOME/tarnwell/\n"
               "(~/.config/tarnwell/), starting from the administrator's defaults until it\n"
               "first writes it; run from its build tree, it keeps the file beside the program\n"
               "when that can be written. Language files in $XDG_DATA_HOME/tarnwell/language/\n"
               "(~/.local/share/...) win over the shipped ones of the same name.\n") +
           settingsHelpText();
}

QString programVersionText(const QString& program) {
    return QStringLiteral("%1 %2\n"
                          "Licence GPL-3.0-or-later: the GNU General Public License, version 3 or\n"
                          "later <https://www.gnu.org/licenses/gpl-3.0.html>.\n"
                          "This is free software: you are free to change and redistribute it.\n"
                          "There is NO WARRANTY, to the extent permitted by law.\n")
        .arg(program, QStringLiteral(TWL_VERSION));
}

QString calculatorVersionText() {
    return programVersionText(QStringLiteral("twlc"));
}

} // namespace twl
