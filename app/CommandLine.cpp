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
               "The loan calculator: the level monthly payment of a loan and its schedule,\n"
               "exported to documents of ten kinds.\n"
               "\n"
               "  --language NAME   the language of the windows: the file NAME.lng in the\n"
               "                    language folders, letter case ignored.\n"
               "                    Without it, Language=NAME in section [Settings] of twlc.ini;\n"
               "                    else English, else the first language found.\n"
               "  --help            this text\n"
               "  --version         the program's version\n"
               "\n"
               "The settings file twlc.ini is the one beside the program when that can be\n"
               "written, else $XDG_CONFIG_HOME/tarnwell/twlc.ini (~/.config/tarnwell/).\n"
               "Language files in $XDG_DATA_HOME/tarnwell/language/ (~/.local/share/...)\n"
               "win over the shipped ones of the same name.\n") +
           settingsHelpText();
}

QString calculatorVersionText() {
    return QStringLiteral("twlc %1\n").arg(QStringLiteral(TWL_VERSION));
}

} // namespace twl
