#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The bash completion of twlc-export and twlc, run against the built programs
# (their --help and the language folder beside them): each case is the words
# typed, the word being completed last, and the candidates expected.
# Usage: completion_test.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
build=$1
source=$2
export XDG_DATA_HOME=$(mktemp -d)
trap 'rm -rf "$XDG_DATA_HOME"' EXIT
# A user's own language file is offered too.
mkdir -p "$XDG_DATA_HOME/tarnwell/language"
: > "$XDG_DATA_HOME/tarnwell/language/Pirate.lng"
PATH=$build/app:$PATH
# shellcheck source=/dev/null
. "$source/app/desktop/twlc-export.bash"

failed=0
# complete "EXPECTED" WORD...: the words as bash splits them (an "=" is a word
# of its own without bash-completion's helpers).
check() {
  local expected=$1; shift
  COMP_WORDS=("$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _twlc_export "${COMP_WORDS[0]}" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')
  if [ "$got" != "$expected" ]; then
    echo "FAILED: ${COMP_WORDS[*]} -> '$got', expected '$expected'"
    failed=1
  fi
}

check "Deutsch" twlc-export --language d
check "Francais" twlc-export --language FR
check "English Espanol" twlc-export --language e
check "Pirate" twlc-export --language pi
check "Deutsch" twlc --language D
check "cent" twlc-export --round c
check "none" twlc-export --round n
check "payment term" twlc-export --after-extra ""
check "payment term" twlc-export --after-rate-change ""
check "--rate-change" twlc-export --rate-c
check "weekly" twlc-export --period w
check "biweekly" twlc-export --period bi
check "biweekly monthly quarterly semimonthly weekly yearly" twlc-export --period ""
check "xls xlsx" twlc-export --format x
check "json" twlc-export --format j
check "csv" twlc-export --format = cs
check "--format=csv" twlc-export --format=cs
check "--language=Deutsch" twlc-export --language=de
check "" twlc-export --amount ""
check "" twlc-export --set ""
check "--round" twlc-export --rou
check "--language" twlc --lang

if [ "$failed" = 0 ]; then echo "completion test passed"; fi
exit "$failed"
