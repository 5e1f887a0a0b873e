#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Lists the C++ files that clang-format (the repository's .clang-format) would
# change, one a line; exits 1 when there is any.
set -euo pipefail
cd "$(dirname "$0")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  files=$(git ls-files '*.cpp' '*.h')
else
  files=$(find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
# One run over every file; each finding names its file first.
findings=$(echo "$files" | xargs clang-format --dry-run 2>&1 | sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: .*clang-format.*/\1/p' | sort -u)
[ -z "$findings" ] || { echo "$findings"; exit 1; }
