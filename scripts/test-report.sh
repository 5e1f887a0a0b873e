#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Reports what the CTest runs of the test command did:
#   scripts/test-report.sh [--failed-check NAME:WHY]... BUILD_DIR...
# names every skipped test with its reason, then one line per failed test with
# its build and suite, then one closing line over the test cases of all runs:
# "tests: N passed, N failed, N skipped". Exits 1 when anything failed.
# GoogleTest suites leave their cases in BUILD_DIR/test-results/*.xml; a script
# test (no XML) counts as one case: it prints "SKIP: <reason>" and exits with
# 77 to skip. A suite that failed without a failed case (it crashed, or a
# script test failed) is named from CTest's list of failed tests. A check that
# is no test (a build, the formatting) is passed in with --failed-check.
set -euo pipefail
checks=()
while [ "${1:-}" = --failed-check ]; do
  checks+=("$2")
  shift 2
done

passed=0 failed=0 skipped=0
skip_lines=() fail_lines=()
rows=()

for build in "$@"; do
  [ -d "$build" ] || continue
  for xml in "$build"/test-results/*.xml; do
    [ -e "$xml" ] || continue
    suite=$(basename "$xml" .xml)
    # A case is a <testcase ... result="..."> element; its <failure message=
    # or <skipped message= child holds "file:line&#x0A;reason".
    mapfile -t -O "${#rows[@]}" rows < <(awk -v build="$build" -v suite="$suite" '
      function unescape(s) {
        gsub(/&#x0A;/, " ", s); gsub(/&quot;/, "\"", s); gsub(/&apos;/, "'"'"'", s)
        gsub(/&lt;/, "<", s); gsub(/&gt;/, ">", s); gsub(/&amp;/, "\\&", s)
        return s
      }
      function flush() { if (open) print (state == "" ? "P" : state) "\t" where; open = 0 }
      /<testcase / {
        flush()
        name = $0; sub(/.* name="/, "", name); sub(/".*/, "", name)
        cls = $0; sub(/.* classname="/, "", cls); sub(/".*/, "", cls)
        where = build ": " suite ": " cls "." name
        state = ($0 ~ /result="skipped"/) ? "S" : ""
        open = 1
      }
      open && /<failure message="/ && state != "F" {
        why = $0; sub(/.*<failure message="/, "", why); sub(/&#x0A;.*/, "", why); sub(/".*/, "", why)
        state = "F"; where = where " (" unescape(why) ")"
      }
      open && /<skipped message="/ {
        why = $0; sub(/.*<skipped message="/, "", why); sub(/".*/, "", why)
        sub(/.*&#x0A;/, "", why); where = where ": " unescape(why)
      }
      END { flush() }' "$xml")
  done
  # CTest's view: which tests failed, and what the script tests printed.
  failed_log="$build/Testing/Temporary/LastTestsFailed.log"
  last_log="$build/Testing/Temporary/LastTest.log"
  ctest_tests=$(ctest --test-dir "$build" -N 2>/dev/null | sed -n 's/^ *Test *#[0-9]*: //p')
  for t in $ctest_tests; do
    xml="$build/test-results/$t.xml"
    did_fail=0
    [ -f "$failed_log" ] && grep -q "^[0-9]*:$t\$" "$failed_log" && did_fail=1
    if [ -f "$xml" ]; then
      if [ "$did_fail" = 1 ] && ! grep -q '<failure message=' "$xml"; then
        rows+=("F	$build: $t: the suite failed without a failed case (it crashed or timed out; see its output above)")
      fi
      continue
    fi
    why=""
    [ -f "$last_log" ] && why=$(awk -v t="$t" '
      /^[0-9]+\/[0-9]+ Test: / { cur = $3 }
      cur == t && /^SKIP: / { sub(/^SKIP: /, ""); print; exit }' "$last_log")
    if [ "$did_fail" = 1 ]; then rows+=("F	$build: $t (see its output above)")
    elif [ -n "$why" ]; then rows+=("S	$build: $t: $why")
    elif [ -f "$last_log" ] && grep -q "^[0-9]*/[0-9]* Test: $t\$" "$last_log"; then rows+=("P	$build: $t")
    fi
  done
done
for check in "${checks[@]+"${checks[@]}"}"; do rows+=("F	${check%%:*}: ${check#*:}"); done

for row in "${rows[@]+"${rows[@]}"}"; do
  case "${row%%	*}" in
    P) passed=$((passed + 1)) ;;
    S) skipped=$((skipped + 1)); skip_lines+=("${row#*	}") ;;
    F) failed=$((failed + 1)); fail_lines+=("${row#*	}") ;;
  esac
done

echo "${#skip_lines[@]} tests skipped"
for line in "${skip_lines[@]+"${skip_lines[@]}"}"; do echo "  skipped: $line"; done
for line in "${fail_lines[@]+"${fail_lines[@]}"}"; do echo "FAILED: $line"; done
echo "tests: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
