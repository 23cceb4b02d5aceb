#!/usr/bin/env bash
# Runs every benchmark and prints one table of figures against their goals; the same table
# goes to build/bench/results.md. Builds what it needs (the Windows build with the benchmarks,
# the native benchmark build) and uses its own Wine prefix, build/bench/wineprefix, because
# korvane.exe writes the registry as it starts.
#   scripts/bench.sh [rounds]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/.."
. scripts/deps.sh
korvane_need_native || exit 1
korvane_need_windows || exit 1
rounds=${1:-15}
out=build/bench
mkdir -p "$out"
export WINEPREFIX=${KORVANE_BENCH_PREFIX:-$PWD/$out/wineprefix}

echo "== building" >&2
{ cmake --preset windows -DKORVANE_BENCH=ON >/dev/null &&
  cmake --build --preset windows --target korvane minimal_window startup_bench registry_bench &&
  cmake --preset bench >/dev/null && cmake --build --preset bench; } >"$out/build.log" 2>&1 ||
  { tail -30 "$out/build.log"; exit 1; }

. scripts/wine-env.sh
korvane_display
korvane_wine_prefix
figures=$out/figures.txt
: >"$figures"
win=build/windows
fail=0

echo "== start-up under Wine ($rounds rounds)" >&2
wine "$win/bench/startup_bench.exe" "$(winepath -w "$win/korvane.exe")" \
  "$(winepath -w "$win/bench/minimal_window.exe")" "$rounds" 2>&1 | tee -a "$figures" >&2 || fail=1
echo "== registry layer against raw advapi32 under Wine" >&2
wine "$win/bench/registry_bench.exe" 21 20 2>&1 | tee -a "$figures" >&2 || fail=1
echo "== native start-up and click handlers (Google Benchmark)" >&2
build/bench-native/bench/startup_benchmark --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null >"$out/native.csv" ||
  fail=1
wineserver -k 2>/dev/null || true
[ -n "${KORVANE_XVFB:-}" ] && kill "$KORVANE_XVFB" 2>/dev/null

figure() { awk -v n="$1" '$1 == "figure" && $2 == n { print $3 }' "$figures" | tail -1; }
native() {  # the median's real time of one benchmark, in microseconds
  awk -F, -v n="\"$1_median\"" '$1 == n { print $3 }' "$out/native.csv" | tail -1
}
bytes=$(stat -c %s "$win/korvane.exe")
minimal_bytes=$(stat -c %s "$win/bench/minimal_window.exe")
if tests/check_imports.sh x86_64-w64-mingw32-objdump "$win/korvane.exe" >"$out/imports.txt"; then
  dlls_ok=yes
else
  dlls_ok=no
fi
imports=$(sed -n 's/^imports: //p' "$out/imports.txt")
verdict() {  # verdict <value> <limit>: met when value <= limit
  awk -v v="$1" -v l="$2" 'BEGIN { if (v == "") print "not measured"; else if (v + 0 <= l + 0) print "met"; else print "MISSED" }'
}
machine="$(uname -sr), $(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1), $(wine --version 2>/dev/null)"

{
  echo "Measured $(date -u +%Y-%m-%d) on $machine."
  echo
  echo "| figure | korvane | baseline | ratio | goal | verdict |"
  echo "|---|---|---|---|---|---|"
  echo "| start-up to visible and idle, median of $rounds (Wine) | $(figure startup_korvane_ms) ms | $(figure startup_minimal_ms) ms (minimal window) | $(figure startup_ratio) | <= 1.10 | $(verdict "$(figure startup_ratio)" 1.10) |"
  echo "| registry calls of one start-up, toolbar on (Wine) | $(figure registry_layer_us) us (modRegistry) | $(figure registry_raw_us) us (raw advapi32) | $(figure registry_ratio) | <= 1.10 | $(verdict "$(figure registry_ratio)" 1.10) |"
  echo "| korvane.exe size | $bytes bytes | $minimal_bytes bytes (minimal window) | | < 1048576 | $(verdict "$bytes" 1048575) |"
  echo "| DLLs imported | $imports | | | system DLLs only | $([ $dlls_ok = yes ] && echo met || echo MISSED) |"
  echo "| peak working set after start-up (Wine) | $(figure peak_working_set_korvane_kib) KiB | $(figure peak_working_set_minimal_kib) KiB (minimal window) | | | |"
  echo "| native start-up, in-memory store, toolbar on | $(native BM_Startup) us | | | | |"
  echo "| native click on chkPassCach | $(native BM_ClickPasswordCaching) us | | | | |"
  echo "| native click on chkSelect | $(native BM_ClickToolbarSwitch) us | | | | |"
  echo
  echo "Registry calls per start-up: $(figure registry_calls_per_startup)."
} >"$out/results.md"
cat "$out/results.md"
exit $fail
