// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// twlc-export: the schedule of the main window, written as one document from
// the command line. The calculation, the settings, the language texts and the
// export component are the main window's, so a document has exactly the bytes
// the main window's export of the same table gives.

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QStringList>
#include <functional>
#include <memory>

class QCoreApplication;

namespace twl {

namespace chart {
struct ChartData;
struct ChartTexts;
} // namespace chart

enum ExportCliStatus { CliOk = 0, CliCalculationFailed = 1, CliUsage = 2, CliWriteFailed = 3 };

// Runs the command with `arguments` (without the program name); the document
// or help goes to `out`, messages to `err`. Needs an application object and
// the installed document writers; a document laid out in fonts needs the
// widget layer's (useFontDocuments, ExportCliFonts.h).
int runExportCli(const QStringList& arguments, QIODevice& out, QIODevice& err);
// The same with the arguments as the system gave them: a file name is used
// as these bytes, whatever their encoding.
int runExportCli(const QList<QByteArray>& arguments, QIODevice& out, QIODevice& err);

// Whether a run with these arguments may ask the display for fonts or
// screens: a picture, or a document type whose writer asks. Other runs give
// the same bytes on a platform without fonts, which starts in a fraction of
// the time. Arguments that do not parse ask nothing: they end in a message.
bool exportCliNeedsFonts(const QList<QByteArray>& arguments);

// Draws the chart as the picture of "--format png" (svg: true for "svg").
// The widget layer gives it; without it a picture has no writer.
using ExportCliPictureMaker = std::function<QByteArray(const chart::ChartData& data,
                                                       const chart::ChartTexts& texts, bool svg)>;
void setExportCliPictureMaker(ExportCliPictureMaker maker);

// The command's whole process: standard descriptors, signals, the
// application object `makeApplication` gives, the plain document writers,
// the run. Returns the exit status.
using ExportCliApplication =
    std::function<std::unique_ptr<QCoreApplication>(int& argc, char** argv)>;
int exportCliMain(int& argc, char** argv, const ExportCliApplication& makeApplication);

} // namespace twl
