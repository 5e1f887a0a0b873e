// SPDX-License-Identifier: GPL-3.0-or-later
// twlc-export: writes the calculator's schedule as a document from a script.
// It starts without the window system, its fonts and its widgets; a document
// laid out in fonts (and the chart's pictures) is written by its sibling
// twlc-export-fonts, which it becomes.

#include "app/ExportCli.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr char FontProgram[] = "twlc-export-fonts";

// Replaces this process with the sibling, its arguments unchanged; the first
// names this program's file, whose name the documents carry as their title.
int becomeFontProgram(int argc, char** argv) {
    char self[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) {
        std::fprintf(stderr, "twlc-export: %s: %s\n", FontProgram, std::strerror(errno));
        return 3;
    }
    self[length] = '\0';
    std::string sibling(self);
    sibling.replace(sibling.rfind('/') + 1, std::string::npos, FontProgram);
    std::string first(self);
    std::vector<char*> args(argv, argv + argc + 1);
    args[0] = first.data();
    ::execv(sibling.c_str(), args.data());
    std::fprintf(stderr, "twlc-export: %s: %s\n", sibling.c_str(), std::strerror(errno));
    return 3;
}

} // namespace

int main(int argc, char** argv) {
    QList<QByteArray> args;
    for (int i = 1; i < argc; ++i)
        args.append(QByteArray(argv[i]));
    if (twl::exportCliNeedsFonts(args)) return becomeFontProgram(argc, argv);
    return twl::exportCliMain(argc, argv, [](int& count, char** values) {
        return std::make_unique<QCoreApplication>(count, values);
    });
}
