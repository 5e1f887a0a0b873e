// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculator's command line: `twlc [--language NAME]`, `twlc --help`,
// `twlc --version`. Qt's own options are left to Qt.

#include <QString>
#include <QStringList>

namespace twl {

struct CalculatorCommandLine {
    enum Action { Run, Help, Version, Usage };
    Action action = Run;
    QString language; // empty: none asked for
    QString error;    // for Usage: what was wrong
};

// Parses the arguments after the program name.
CalculatorCommandLine parseCalculatorCommandLine(const QStringList& arguments);

QString calculatorUsageText();
QString calculatorHelpText();
QString calculatorVersionText();
// The version and the licence, as both programs print them for --version.
QString programVersionText(const QString& program);

} // namespace twl
