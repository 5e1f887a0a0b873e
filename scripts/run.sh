#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the calculator and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTWL_TESTS=OFF >/dev/null
cmake --build build/release --target twlc twlc-export twlc-export-fonts
exec build/release/app/twlc "$@"
