// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// twlc-export's arguments: the flags and their values as given, read before
// the language is known, and the usage errors they raise, told once it is.

#include "base/ResourceStrings.h"
#include "export/kxExport.h"
#include "loan/CostSchedule.h"
#include "loan/PlanText.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace twl::cli {

// The lines that show how the command is called.
QLatin1String usageText();
// --help's text: the usage, every option, where the settings are found.
QString helpText();

// A usage error keeps its text unformatted until it is told: the arguments
// are read before the language is known, and the message is told in it.
struct UsageError {
    ResourceString text;
    QStringList args;
    // A value refused is one line; a command that does not read also shows the usage.
    bool showUsage = true;
    QString message() const;
};

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
// encoding, and the output's name is also kept as given. Throws UsageError.
Options parse(const QList<QByteArray>& raw);
// The language the arguments ask for, read as far as they can be read.
QString languageArgument(const QList<QByteArray>& raw);
// The chart's picture formats, beside the table's document formats.
bool isPictureFormat(const QString& name);
// The document type a --format value names; throws UsageError.
TkxExportType formatType(const QString& name);
// A --set PATH=VALUE on the export component; throws UsageError, or the
// translator's error for a value it refuses.
void applySet(TkxCustomExport& exporter, const QString& path, const QString& value);
// Runs `step`; when it refuses a plan or cost value, the one line that names
// the value's flag.
std::optional<QString> refusedInputLine(const std::function<void()>& step);

} // namespace twl::cli
