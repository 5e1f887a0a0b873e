#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Counts and names the tests a CTest run skipped, with their reasons:
#   scripts/skipped-tests.sh BUILD_DIR
#   scripts/skipped-tests.sh --total BUILD_DIR...
# prints one closing line over the GoogleTest cases of several runs:
# "tests: N passed, N failed, N skipped".
# GoogleTest suites report skips in their XML results (BUILD_DIR/test-results);
# script tests print "SKIP: <reason>" and exit with 77, which CTest logs.
set -euo pipefail
if [ "$1" = --total ]; then
  shift
  for dir in "$@"; do cat "$dir"/test-results/*.xml 2>/dev/null || true; done | awk '
    /<testsuite / {
      for (i = 1; i <= NF; i++) {
        split($i, kv, "=")
        gsub(/"/, "", kv[2])
        if (kv[1] == "tests") n += kv[2]
        else if (kv[1] == "failures" || kv[1] == "errors") f += kv[2]
        else if (kv[1] == "skipped") s += kv[2]
        else if (kv[1] == "disabled") d += kv[2]
      }
    }
    END { printf "tests: %d passed, %d failed, %d skipped\n", n - f - s - d, f, s }'
  exit 0
fi
build=$1
lines=()
for xml in "$build"/test-results/*.xml; do
  [ -e "$xml" ] || continue
  suite=$(basename "$xml" .xml)
  # A skipped test case is a <testcase ... result="skipped"> element followed
  # by <skipped message="file:line&#x0A;reason">.
  while IFS= read -r line; do
    lines+=("$line")
  done < <(awk -v suite="$suite" '
    /<testcase / {
      name = $0; sub(/.* name="/, "", name); sub(/".*/, "", name)
      cls = $0; sub(/.* classname="/, "", cls); sub(/".*/, "", cls)
      skipped = ($0 ~ /result="skipped"/)
    }
    skipped && /<skipped message="/ {
      why = $0; sub(/.*<skipped message="/, "", why); sub(/".*/, "", why)
      sub(/.*&#x0A;/, "", why)
      gsub(/&quot;/, "\"", why); gsub(/&apos;/, "'"'"'", why)
      gsub(/&lt;/, "<", why); gsub(/&gt;/, ">", why); gsub(/&amp;/, "\\&", why)
      print suite ": " cls "." name ": " why
      skipped = 0
    }' "$xml")
done
log="$build/Testing/Temporary/LastTest.log"
if [ -f "$log" ]; then
  while IFS= read -r line; do
    lines+=("$line")
  done < <(awk '
    /^[0-9]+\/[0-9]+ Test: / { test = $3 }
    /^SKIP: / { why = $0; sub(/^SKIP: /, "", why); print test ": " why }' "$log")
fi
echo "${#lines[@]} tests skipped"
for line in "${lines[@]+"${lines[@]}"}"; do
  echo "  skipped: $line"
done
