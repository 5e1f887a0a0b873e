// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and shut-down of the calculator.

#include "app/Startup.h"

int main(int argc, char** argv) {
    return twl::runApplication(argc, argv);
}
