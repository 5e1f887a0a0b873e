#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs every test: once as a normal build, once under
# AddressSanitizer and UndefinedBehaviorSanitizer. A failure anywhere (the
# formatting, a build, a suite) does not stop the rest: both builds run every
# suite, and the report at the end names what failed and sets the exit status.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

checks=()
echo "== formatting (clang-format)"
if ! unformatted=$(scripts/check-format.sh); then
  echo "$unformatted"
  checks+=(--failed-check "formatting:clang-format would change $(echo $unformatted)")
fi

run_suite() {
  local dir=$1; shift
  rm -rf "$dir/test-results" "$dir/Testing/Temporary"
  if ! { cmake -S . -B "$dir" -G Ninja -DTWL_WERROR=ON "$@" >/dev/null &&
         cmake --build "$dir" -j "$jobs"; }; then
    checks+=(--failed-check "$dir:the build failed (see above)")
    return
  fi
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" || true
}

echo "== normal build"
run_suite build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo
echo "== sanitizer build (address, undefined)"
run_suite build/sanitize -DCMAKE_BUILD_TYPE=Debug -DTWL_SANITIZE=ON
echo "== report"
scripts/test-report.sh "${checks[@]+"${checks[@]}"}" build/test build/sanitize
