#!/bin/sh
# Benchmarks korvatex: whole runs of the Release program, timed against
# the cost of starting a process (/bin/true), with their peak memory; a
# whole run against the floor of the same work (the same two clipboard
# hand-overs started from a shell), with cat and, on a virtual X server,
# with xclip; then microbenchmarks of the routines the runs spend their
# time in. Ends with a summary table, also left in
# build-bench/bench-results/table.md.
#
#   sh bench/run.sh               BENCH_RUNS=900 for more repetitions
#
# Needs Google Benchmark (libbenchmark-dev); uses hyperfine when it is
# installed and a plain timing loop otherwise; the comparisons with the
# floor of the same work need hyperfine, the X11 one Xvfb and xclip (each
# left out with a line that says so without them).
set -euf  # no globbing: formulas hold [ and ]
cd "$(dirname "$0")/.."
runs=${BENCH_RUNS:-600}
rounds=10  # the runs are split into rounds so that a burst of load hits all cases alike
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DKORVATEX_BENCHMARKS=ON \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench -j"$jobs" >/dev/null

# The program is started from a folder of its own, as it is installed.
work=build-bench/bench-run
rm -rf "$work" && mkdir -p "$work"
cp build-bench/korvatex build-bench/KORVATEX.CSV "$work/"
prog=$(cd "$work" && pwd)/korvatex
peak_rss=$(pwd)/build-bench/bench/korvatex_peak_rss

nested=$(printf '%30s' '' | tr ' ' '(')H2O$(printf '%30s' '' | tr ' ' ')')
long=
i=0
while [ $i -lt 44 ]; do long="${long}K4[Fe(CN)6]"; i=$((i + 1)); done
long="$long.5H2O.3Ca(OH)2H"
[ ${#long} -eq 499 ] || { echo "the long formula is ${#long} bytes" >&2; exit 1; }

# name|command: the floors first, then the program.
cases="floor|/bin/true
sh -c|/bin/sh -c true
Fe|$prog Fe
111|$prog 111
/W CuSO4.5H2O|$prog /W CuSO4.5H2O 2
/W nested 30|$prog /W $nested 2
/W 499 bytes|$prog /W $long 2"

out=build-bench/bench-results
rm -rf "$out" && mkdir -p "$out"

# Each case once with a clipboard command that logs its launches, checking
# that it succeeds; then its peak RSS (largest of 3 runs) in KiB.
echo "$cases" | while IFS='|' read -r name command; do
  case $name in floor | "sh -c") launches= ;; *)
    : >"$out/launches"
    KORVATEX_CLIPBOARD="echo >>$out/launches" $command >/dev/null ||
      { echo "korvatex failed (code $?): $name" >&2; exit 1; }
    launches=$(wc -l <"$out/launches") ;;
  esac
  rss=0
  for _ in 1 2 3; do
    # shellcheck disable=SC2086 # the command's words
    r=$(KORVATEX_CLIPBOARD=true $peak_rss $command)
    [ "$r" -gt "$rss" ] && rss=$r
  done
  echo "$name|$launches|$rss" >>"$out/memory"
done

# hyperfine_rounds OUTPUT ARGS...: runs hyperfine with ARGS in $rounds
# rounds of $runs / $rounds runs, so that a burst of load hits every command
# alike; writes lines "name|median|min|max" in ms: the median of the round
# medians, the least minimum and the greatest maximum.
hyperfine_rounds() {
  result=$1
  shift
  rm -f "$result.csv"
  r=1
  while [ $r -le $rounds ]; do
    hyperfine -N --style none --warmup 3 --runs $((runs / rounds)) \
      --export-csv "$out/round.csv" "$@" >/dev/null 2>"$out/hyperfine.log" ||
      { cat "$out/hyperfine.log" >&2; exit 1; }
    cat "$out/round.csv" >>"$result.csv"
    r=$((r + 1))
  done
  # command,mean,stddev,median,user,system,min,max in seconds
  awk -F, '$1 != "command" {
      n = $1; gsub(/"/, "", n)
      if (!(n in k)) { order[++count] = n; lo[n] = $7; hi[n] = $8 }
      med[n, ++k[n]] = $4
      if ($7 < lo[n]) lo[n] = $7
      if ($8 > hi[n]) hi[n] = $8
    }
    END {
      for (i = 1; i <= count; ++i) {
        n = order[i]; c = k[n]
        for (a = 1; a <= c; ++a) for (b = a + 1; b <= c; ++b)
          if (med[n, b] < med[n, a]) { t = med[n, a]; med[n, a] = med[n, b]; med[n, b] = t }
        m = (c % 2) ? med[n, (c + 1) / 2] : (med[n, c / 2] + med[n, c / 2 + 1]) / 2
        printf "%s|%.3f|%.3f|%.3f\n", n, m * 1000, lo[n] * 1000, hi[n] * 1000
      }
    }' "$result.csv" >"$result"
}

# Whole-run times: lines "name median min max" in ms, per clipboard sink.
time_cases() {  # $1: the clipboard command; writes $out/times-$2
  sink=$1 tag=$2
  if command -v hyperfine >/dev/null; then
    set --
    while IFS='|' read -r name command; do set -- "$@" -n "$name" "$command"; done <<EOF
$cases
EOF
    # shellcheck disable=SC2030 # set for this subshell only
    (export KORVATEX_CLIPBOARD="$sink" && hyperfine_rounds "$out/times-$tag" "$@")
  else
    # No hyperfine: batches of 20 runs timed with date; the batch medians.
    echo "$cases" | while IFS='|' read -r name command; do
      for _ in 1 2 3 4 5; do KORVATEX_CLIPBOARD=$sink $command >/dev/null; done  # warm-up
      b=0
      while [ $b -lt $((runs / 20)) ]; do
        t0=$(date +%s%N)
        i=0
        while [ $i -lt 20 ]; do KORVATEX_CLIPBOARD=$sink $command >/dev/null; i=$((i + 1)); done
        t1=$(date +%s%N)
        echo $(((t1 - t0) / 20))
        b=$((b + 1))
      done | sort -n | awk -v n="$name" '{ t[NR] = $1 }
        END { printf "%s|%.3f|%.3f|%.3f\n", n, t[int((NR + 1) / 2)] / 1e6, t[1] / 1e6, t[NR] / 1e6 }'
    done >"$out/times-$tag"
  fi
}
time_cases true true

# A whole run against the floor of the same work, side by side in the
# same rounds: the program empties the clipboard and hands over the
# result, two starts of the clipboard tool, as the floor does from a shell.
# Lines "name|program ms|floor ms|ratio".
against_floor() {  # NAME FLOOR_COMMAND, in the environment of the caller
  name=$1 floor=$2
  if ! command -v hyperfine >/dev/null; then
    echo "$name|not measured: hyperfine is not installed||" >>"$out/floors"
    return
  fi
  hyperfine_rounds "$out/floor" -n korvatex "$prog /W CuSO4.5H2O 2" -n floor "$floor"
  awk -F'|' -v n="$name" '$1 == "korvatex" { p = $2 } $1 == "floor" { f = $2 }
    END { printf "%s|%.2f|%.2f|%.2f\n", n, p, f, p / f }' "$out/floor" >>"$out/floors"
}
: >"$out/floors"
# shellcheck disable=SC2031 # set for this subshell only
(export KORVATEX_CLIPBOARD=cat && against_floor "KORVATEX_CLIPBOARD=cat" "sh -c 'cat </dev/null; echo x | cat'")
if command -v Xvfb >/dev/null && command -v xclip >/dev/null; then
  . tests/xvfb.sh
  start_xvfb "$out"
  xclip="xclip -selection clipboard -i"
  (unset KORVATEX_CLIPBOARD WAYLAND_DISPLAY &&
    against_floor "xclip on Xvfb" "sh -c '$xclip </dev/null; echo x | $xclip'")
  kill $xvfb_pid
  unset DISPLAY
else
  echo "xclip on Xvfb|not measured: Xvfb or xclip is not installed||" >>"$out/floors"
fi

build-bench/bench/korvatex_micro_bench --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_min_time=0.2 \
  --benchmark_format=csv >"$out/micro.csv" 2>"$out/micro.log" ||
  { cat "$out/micro.log" >&2; exit 1; }

# The table.
table() {  # $1: the clipboard command, $2: its times file
  echo
  echo "Whole runs, KORVATEX_CLIPBOARD='$1' ($runs runs each$(command -v hyperfine >/dev/null ||
    echo ', timing loop'))"
  echo
  echo "| run | median ms | min–max ms | × floor | × floor, min | launches | own ms | own × floor | peak RSS KiB |"
  echo "|---|---|---|---|---|---|---|---|---|"
  awk -F'|' 'FNR == NR { launches[$1] = $2; rss[$1] = $3; next }
    $1 == "floor" { floor = $2; floor_min = $3 }
    { own = $2 - launches[$1] * floor  # launches is empty for the floors
      printf "| %s | %.2f | %.2f–%.2f | %.1f | %.1f | %s | %s | %s | %d |\n", $1, $2, $3, $4,
             $2 / floor, $3 / floor_min, launches[$1],
             launches[$1] ? sprintf("%.2f", own) : "", launches[$1] ? sprintf("%.1f", own / floor) : "",
             rss[$1] }' "$out/memory" "$2"
}
{
  table true "$out/times-true"
  echo
  echo "× floor, min: the fastest run against the fastest floor, the figure least"
  echo "disturbed by other load. launches: clipboard-command runs in one run of"
  echo "the program (started directly, without a shell). own: the median less"
  echo "that many floor medians. Peak RSS: the largest of the program and the"
  echo "commands it starts (getrusage after wait4)."
  echo
  echo "A whole run against the floor of the same work: korvatex /W CuSO4.5H2O 2"
  echo "against the two clipboard hand-overs started from a shell ($runs runs each)"
  echo
  echo "| clipboard | korvatex ms | floor ms | × floor |"
  echo "|---|---|---|---|"
  awk -F'|' '{ printf "| %s | %s | %s | %s |\n", $1, $2, $3, $4 }' "$out/floors"
  echo
  echo "Microbenchmarks (CPU time per call, median of 5)"
  echo
  echo "| routine | ns per call | allocations per call |"
  echo "|---|---|---|"
  awk -F, 'NR == 1 { for (i = 1; i <= NF; ++i) col[$i] = i; next }
    $1 ~ /_median"$/ { n = $1; gsub(/"/, "", n); gsub(/^BM_|_median$/, "", n)
      printf "| %s | %.0f | %.1f |\n", n, $col["cpu_time"], $col["\"allocs\""] }' "$out/micro.csv"
} | tee "$out/table.md"
