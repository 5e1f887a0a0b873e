#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs the benchmarks (never part of the test run):
#  1. the in-process benchmarks of bench/ (arguments go to each of them);
#  2. twlc-export timed as a whole process (calculation, table, document,
#     file) with its peak memory, in every document type;
#  3. twlc-export's peak memory at 1,000,000 months in every line-based type,
#     which streams its document and must stay under 40 MB at any length;
#  4. twlc-export's CPU time over the floor's (bench/floor_csv, the smallest
#     exact program for the same CSV), after checking their bytes agree;
#  5. where LibreOffice is installed, its headless conversion of a CSV of the
#     same table (100,000 and 1,000,000 rows) into each type it can write,
#     and how many times slower it is.
#  6. twlc-export's peak memory and peak temporary space at 1,000,000 months
#     (TWL_BENCH_MONTHS) in every type, to every kind of target: a new file,
#     a hard-linked file written in place, /dev/null and a FIFO;
#  7. the ratios the command line is held to (start-up and CSV against the
#     floor, the spreadsheets and the report against our CSV, in CPU time)
#     and the main window's memory after Calculate at 1,000,000 months.
# TWL_BENCH_RUNS sets how many runs each timing takes (the best counts, as
# a shared machine only ever adds time); TWL_BENCH_PARTS picks among
# "micro process memory floor peer targets ratios".
set -euo pipefail
cd "$(dirname "$0")/.."
# GNU time reports a process's peak memory; the bench alone needs it.
scripts/install-deps.sh time
# TWL_BENCH_BUILD takes the programs from another build folder (with
# TWL_BENCH=ON), as it is, to compare two builds.
build=${TWL_BENCH_BUILD:-build/bench}
if [ -z "${TWL_BENCH_BUILD:-}" ]; then
  cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTWL_TESTS=OFF -DTWL_BENCH=ON >/dev/null
  cmake --build build/bench
fi
export QT_QPA_PLATFORM=offscreen
# The timings are computed by awk and printed by printf, and the rates typed
# with a ".": numbers follow the C conventions whatever the user's locale.
export LC_ALL=C.UTF-8

runs=${TWL_BENCH_RUNS:-5}
parts=${TWL_BENCH_PARTS:-micro process memory floor peer targets ratios}
wanted() { [[ " $parts " == *" $1 "* ]]; }

if wanted micro; then
  for b in "$build"/bench/bench_*; do
    if [ -f "$b" ] && [ -x "$b" ]; then "$b" "$@"; fi
  done
fi

# The program runs from a folder of its own, with its language files and a
# settings file, as when installed.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/app" "$work/out"
cp "$build"/app/twlc-export "$build"/app/twlc-export-fonts "$build"/bench/floor_csv "$build"/bench/cpu_time "$work/app/"
# Older builds have no window_memory: their window goes unmeasured.
cp "$build"/bench/window_memory "$work/app/" 2>/dev/null || true
cp -r "$build"/app/language "$work/app/"
printf '[Settings]\r\nDecimal=2\r\n' >"$work/app/twlc.ini"
export SOURCE_DATE_EPOCH=1796601600

# timed NAME COMMAND...: runs COMMAND $runs times; sets best_s (wall clock),
# cpu_s (user + system of that run) and peak_mb (largest resident size).
timed() {
  local name=$1
  shift
  best_s="" cpu_s="" peak_mb=0
  local i start end wall report user sys rss
  for ((i = 0; i < runs; i++)); do
    report="$work/time.$name"
    start=$EPOCHREALTIME
    /usr/bin/time -v -o "$report" "$@" >/dev/null 2>"$work/stderr" || {
      echo "$name: failed: $(cat "$work/stderr")" >&2
      return 1
    }
    end=$EPOCHREALTIME
    wall=$(calc "$end - $start")
    user=$(sed -n 's/^\tUser time (seconds): //p' "$report")
    sys=$(sed -n 's/^\tSystem time (seconds): //p' "$report")
    rss=$(sed -n 's/^\tMaximum resident set size (kbytes): //p' "$report")
    if [ -z "$best_s" ] || [ "$(calc "$wall < $best_s")" = 1 ]; then
      best_s=$wall
      cpu_s=$(calc "$user + $sys")
    fi
    peak_mb=$(calc "$rss / 1024 > $peak_mb ? $rss / 1024 : $peak_mb")
  done
}

calc() { awk "BEGIN { print ($1) }"; }

export_args() { # MONTHS RATE FORMAT OUTPUT
  echo --amount 100000 --months "$1" --rate "$2" --format "$3" --output "$4"
}

# The workbook holds at most 65,536 rows: its cases stop at 60,000 months.
months_for() { # FORMAT MONTHS
  if [ "$1" = xls ] && [ "$2" -gt 60000 ]; then echo 60000; else echo "$2"; fi
}

declare -A ours_s
if wanted process || wanted peer; then
  echo
  echo "twlc-export as a whole process, best of $runs runs"
  printf '%-28s %-5s %9s %9s %9s %9s\n' case type wall_s cpu_s peak_MB doc_MB
  cases=("71332 12" "71332 -5" "100000 1")
  wanted process || cases=("100000 1")
  for c in "${cases[@]}"; do
    read -r months rate <<<"$c"
    if [ "$rate" = -5 ]; then types=(csv); else types=(csv txt tab html rtf doc dif slk xls xlsx ods pdf); fi
    for t in "${types[@]}"; do
      n=$(months_for "$t" "$months")
      out="$work/out/doc.$t"
      # shellcheck disable=SC2046
      timed "ours" "$work/app/twlc-export" $(export_args "$n" "$rate" "$t" "$out")
      [ "$rate" = 1 ] && ours_s[$t]=$best_s
      printf '%-28s %-5s %9.3f %9.3f %9.1f %9.2f\n' "$n months at $rate %" "$t" \
        "$best_s" "$cpu_s" "$peak_mb" "$(calc "$(stat -c %s "$out") / 1000000")"
    done
  done
  # The spreadsheets aim at 3 times the CSV's time, the PDF report at 10 times.
  if [ -n "${ours_s[csv]:-}" ]; then
    for t in xlsx ods pdf; do
      if [ -n "${ours_s[$t]:-}" ]; then
        printf '%-5s %6.2f times the CSV at 100000 months\n' "$t" "$(calc "${ours_s[$t]} / ${ours_s[csv]}")"
      fi
    done
  fi
fi

# cpu_once COMMAND...: the user + system time of one run, in cpu_one, to the
# microsecond (bench/cpu_time; the shell's own timing rounds to milliseconds).
cpu_once() {
  cpu_one=$("$work/app/cpu_time" "$@" 2>"$work/stderr") || {
    echo "$1: failed: $(cat "$work/stderr")" >&2
    return 1
  }
}

# floor_for MONTHS RATE: sets floor (the floor's command for that schedule)
# after checking that its CSV and ours agree byte for byte.
floor_for() {
  local ours_csv="$work/out/ours.csv" day
  # shellcheck disable=SC2046
  "$work/app/twlc-export" $(export_args "$1" "$2" csv "$ours_csv") >/dev/null
  # The inputs row's date is the regional one; the floor takes it as given.
  day=$(sed -n 's/.*"Date: \(.*\)"\r$/\1/p' "$ours_csv")
  floor=("$work/app/floor_csv" 100000 "$1" "$2" 2 "$day" "$work/out/floor.csv")
  "${floor[@]}"
  if ! cmp -s "$ours_csv" "$work/out/floor.csv"; then
    echo "the floor's CSV differs from ours at $1 months, $2 %:" >&2
    cmp "$ours_csv" "$work/out/floor.csv" >&2 || true
    exit 1
  fi
}

if wanted floor; then
  echo
  echo "twlc-export over the floor (CPU time, best of $runs runs; load $(cut -d' ' -f1-3 /proc/loadavg))"
  echo "The floor writes CSV only: every other type is measured against its CSV time."
  echo "The runs take turns, so that a slow spell of a shared machine falls on both."
  printf '%-28s %-5s %9s %9s %7s\n' case type floor_s ours_s ratio
  for c in "71332 12 csv" "1000000 0.5 csv" "100000 1 csv txt tab html rtf doc dif slk"; do
    read -r months rate types <<<"$c"
    floor_for "$months" "$rate"
    declare -A best=()
    for ((i = 0; i < runs; i++)); do
      cpu_once "${floor[@]}"
      if [ -z "${best[floor]:-}" ] || [ "$(calc "$cpu_one < ${best[floor]}")" = 1 ]; then best[floor]=$cpu_one; fi
      for t in $types; do
        # shellcheck disable=SC2046
        cpu_once "$work/app/twlc-export" $(export_args "$months" "$rate" "$t" "$work/out/doc.$t")
        if [ -z "${best[$t]:-}" ] || [ "$(calc "$cpu_one < ${best[$t]}")" = 1 ]; then best[$t]=$cpu_one; fi
      done
    done
    for t in $types; do
      printf '%-28s %-5s %9.4f %9.4f %7.2f\n' "$months months at $rate %" "$t" "${best[floor]}" \
        "${best[$t]}" "$(calc "${best[$t]} / ${best[floor]}")"
    done
    unset best
  done
fi

if wanted memory; then
  echo
  echo "twlc-export's peak memory at 1,000,000 months (one run each; bound: 40 MB)"
  printf '%-5s %9s %9s %9s %s\n' type wall_s peak_MB doc_MB bound
  memory_runs=$runs
  runs=1
  for t in csv txt tab html rtf doc dif slk; do
    out="$work/out/million.$t"
    # shellcheck disable=SC2046
    timed "memory" "$work/app/twlc-export" $(export_args 1000000 0.5 "$t" "$out")
    printf '%-5s %9.3f %9.1f %9.2f %s\n' "$t" "$best_s" "$peak_mb" \
      "$(calc "$(stat -c %s "$out") / 1000000")" "$([ "$(calc "$peak_mb < 40")" = 1 ] && echo kept || echo EXCEEDED)"
    rm -f "$out"
  done
  runs=$memory_runs
fi

if wanted peer; then
  if ! command -v soffice >/dev/null; then
    echo
    echo "LibreOffice is not installed: no peer comparison"
  else
    lo=(env HOME="$work" soffice --headless --norestore "-env:UserInstallation=file://$work/lo-profile"
      --infilter="CSV:44,34,76,1")
    # A million months at 1 % overflow the compound factor: they take 0.5 %.
    peer_rate() { if [ "$1" -gt 100000 ]; then echo 0.5; else echo 1; fi; }
    for n in 100000 60000 1000000; do
      # shellcheck disable=SC2046
      "$work/app/twlc-export" $(export_args "$n" "$(peer_rate "$n")" csv "$work/table$n.csv") >/dev/null
    done
    # The first run creates the profile.
    "${lo[@]}" --convert-to csv --outdir "$work/lo" "$work/table60000.csv" >/dev/null 2>&1 || true
    # The peer's nearest filter for each type; it writes no RTF or Word
    # document from a spreadsheet.
    conversions=("html:HTML (StarCalc)" "xls:MS Excel 97" "txt:Text - txt - csv (StarCalc):32,34,76"
      "csv:Text - txt - csv (StarCalc):44,34,76" "tab:Text - txt - csv (StarCalc):9,34,76"
      "dif:DIF" "slk:SYLK")
    peer_runs=$runs
    for n in 100000 1000000; do
      # A million rows take the peer seconds a run: at most three each.
      if [ "$n" -gt 100000 ] && [ "$runs" -gt 3 ]; then runs=3; fi
      echo
      echo "LibreOffice converting a CSV of the same table of $n rows, best of $runs runs"
      printf '%-5s %-42s %9s %9s %9s\n' type "LibreOffice filter" lo_s ours_s ratio
      for conversion in "${conversions[@]}"; do
        t=${conversion%%:*}
        m=$(months_for "$t" "$n")
        # The workbook stops at 65,536 rows: at a million it has no case.
        if [ "$n" -gt 100000 ] && [ "$m" != "$n" ]; then continue; fi
        if [ -z "${ours_s[$t]:-}" ] || [ "$n" -gt 100000 ]; then
          # shellcheck disable=SC2046
          timed "ours" "$work/app/twlc-export" $(export_args "$m" "$(peer_rate "$m")" "$t" "$work/out/peer.$t")
          ours_s[$t]=$best_s
        fi
        timed "peer" "${lo[@]}" --convert-to "$conversion" --outdir "$work/lo" "$work/table$m.csv"
        printf '%-5s %-42s %9.3f %9.3f %9.1f\n' "$t" "${conversion#*:}" "$best_s" "${ours_s[$t]}" \
          "$(calc "$best_s / ${ours_s[$t]}")"
      done
    done
    runs=$peer_runs
    echo "rtf, doc: no peer (the spreadsheet writes neither)"
  fi
fi

# number_in FILE: the number FILE holds, 0 where it holds none (yet).
number_in() {
  local v
  v=$(cat "$1" 2>/dev/null || true)
  echo "${v:-0}"
}

# sample_size FOLDER RESULT: writes to RESULT the most bytes FOLDER held while
# this runs (until killed), its own entry left out.
sample_size() {
  local most=0 now empty
  empty=$(du -sb "$1" | cut -f1)
  while :; do
    now=$(du -sb "$1" 2>/dev/null | cut -f1)
    if [ -n "$now" ] && [ "$((now - empty))" -gt "$most" ]; then most=$((now - empty)); fi
    echo "$most" >"$2.new"
    mv -f "$2.new" "$2"
    sleep 0.02
  done
}

if wanted targets; then
  months=${TWL_BENCH_MONTHS:-1000000}
  echo
  echo "twlc-export at $months months: peak memory and peak temporary space (\$TMPDIR) per target"
  printf '%-5s %-8s %9s %9s %9s %9s\n' type target wall_s peak_MB tmp_MB doc_MB
  targets_runs=$runs
  runs=1
  tmp="$work/tmp"
  mkdir -p "$tmp"
  for t in csv txt tab html rtf doc dif slk xls xlsx ods pdf png svg; do
    n=$(months_for "$t" "$months")
    for kind in file inplace null fifo; do
      out="$work/out/target.$t"
      rm -f "$out" "$work/out/link" "$work/out/fifo" "$work/fifo.size"
      reader=""
      case $kind in
        inplace)
          : >"$out"
          ln "$out" "$work/out/link"
          ;;
        null) out=/dev/null ;;
        fifo)
          out="$work/out/fifo"
          mkfifo "$out"
          (wc -c <"$out" >"$work/fifo.size") &
          reader=$!
          ;;
      esac
      sample_size "$tmp" "$work/tmp.size" &
      sampler=$!
      # shellcheck disable=SC2046
      timed "targets" env TMPDIR="$tmp" "$work/app/twlc-export" $(export_args "$n" 0.5 "$t" "$out") || true
      kill "$sampler" 2>/dev/null || true
      wait "$sampler" 2>/dev/null || true
      if [ -n "$reader" ]; then wait "$reader" || true; fi
      case $kind in
        null) doc="-" ;;
        fifo) doc=$(calc "$(number_in "$work/fifo.size") / 1000000") ;;
        *) doc=$(calc "$(stat -c %s "$out") / 1000000") ;;
      esac
      printf '%-5s %-8s %9.3f %9.1f %9.1f %9s\n' "$t" "$kind" "$best_s" "$peak_mb" \
        "$(calc "$(number_in "$work/tmp.size") / 1000000")" "$doc"
      rm -f "$work/out/target.$t" "$work/out/link" "$work/out/fifo"
    done
  done
  runs=$targets_runs
fi

# in_turn: the best CPU time of the commands in base and measured ($runs runs,
# taking turns so that a slow spell of a shared machine falls on both); sets
# base_s, measured_s.
in_turn() {
  base_s="" measured_s=""
  local i
  for ((i = 0; i < runs; i++)); do
    cpu_once "${base[@]}"
    if [ -z "$base_s" ] || [ "$(calc "$cpu_one < $base_s")" = 1 ]; then base_s=$cpu_one; fi
    cpu_once "${measured[@]}"
    if [ -z "$measured_s" ] || [ "$(calc "$cpu_one < $measured_s")" = 1 ]; then measured_s=$cpu_one; fi
  done
}

if wanted ratios; then
  echo
  echo "The ratios twlc-export is held to (CPU time, best of $runs runs in turn; load $(cut -d' ' -f1-3 /proc/loadavg))"
  printf '%-34s %-10s %9s %9s %7s %6s\n' case "against" base_s ours_s ratio goal
  for c in "one month (start-up):1:12:4" "CSV, 71332 months at 12 %:71332:12:2" \
    "CSV, 1000000 months at 0.5 %:1000000:0.5:2"; do
    IFS=: read -r label months rate goal <<<"$c"
    floor_for "$months" "$rate"
    base=("${floor[@]}")
    # shellcheck disable=SC2207
    measured=("$work/app/twlc-export" $(export_args "$months" "$rate" csv "$work/out/ratio.csv"))
    in_turn
    printf '%-34s %-10s %9.4f %9.4f %7.2f %5sx\n' "$label" floor "$base_s" "$measured_s" \
      "$(calc "$measured_s / $base_s")" "$goal"
  done
  for c in "xlsx:6" "ods:6" "pdf:20"; do
    IFS=: read -r t goal <<<"$c"
    # shellcheck disable=SC2207
    base=("$work/app/twlc-export" $(export_args 100000 1 csv "$work/out/ratio.csv"))
    # shellcheck disable=SC2207
    measured=("$work/app/twlc-export" $(export_args 100000 1 "$t" "$work/out/ratio.$t"))
    in_turn
    printf '%-34s %-10s %9.4f %9.4f %7.2f %5sx\n' "${t^^}, 100000 months" "our CSV" "$base_s" \
      "$measured_s" "$(calc "$measured_s / $base_s")" "$goal"
    printf '%-34s %s MB\n' "  its size" "$(calc "$(stat -c %s "$work/out/ratio.$t") / 1000000")"
  done
  if [ -x "$work/app/window_memory" ]; then
    read -r rows before_mb after_mb < <(cd "$work/app" && ./window_memory 1000000 0.5)
    printf '%-34s %s MB after Calculate (%s MB before the window; %s rows)\n' \
      "the window at 1000000 months" "$after_mb" "$before_mb" "$rows"
  fi
fi
