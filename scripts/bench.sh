#!/usr/bin/env bash
# Start-up time of korvane.exe against raw_window.exe, the same window made straight on user32,
# under Wine. Prints a markdown table, also written to build/bench/results.md.
#   scripts/bench.sh [rounds]
#   KORVANE_BENCH_CPU=1 scripts/bench.sh [rounds]   # the whole run on CPU 1
# Uses its own build dirs and Wine prefix under build/bench, since korvane.exe writes the
# registry as it starts. Many Wine calls are round trips to wineserver; on an idle virtual
# machine one that wakes another CPU costs several times more than on a busy one, so the
# figures follow the machine's load unless the run is kept on one CPU.
set -uo pipefail
if [ -n "${KORVANE_BENCH_CPU:-}" ] && [ -z "${KORVANE_BENCH_PINNED:-}" ]; then
  KORVANE_BENCH_PINNED=1 exec taskset -c "$KORVANE_BENCH_CPU" "$0" "$@"
fi
cd "$(dirname "$0")/.." || exit 1
rounds=${1:-21}
out=build/bench
mkdir -p "$out/raw"
log=$out/build.log
cxx="i686-w64-mingw32-g++-posix -std=c++20 -O2 -DUNICODE -D_UNICODE -static -municode -s"

echo "== building" >&2
{
  cmake -S . -B "$out/windows" --toolchain cmake/mingw-w64-i686.cmake \
    -DCMAKE_BUILD_TYPE=Release -DKORVANE_TESTS=OFF &&
    cmake --build "$out/windows" -j2 --target korvane &&
    printf '1 24 "%s"\n' "$PWD/app/win32/korvane.manifest" >"$out/raw/raw_window.rc" &&
    i686-w64-mingw32-windres "$out/raw/raw_window.rc" -O coff -o "$out/raw/raw_window.res.o" &&
    $cxx -I. -mwindows bench/win32/raw_window.cpp "$out/raw/raw_window.res.o" \
      -o "$out/raw/raw_window.exe" -lcomctl32 -lgdi32 -luser32 -ladvapi32 &&
    $cxx bench/win32/startup_timer.cpp -o "$out/raw/startup_timer.exe"
} >"$log" 2>&1 || { tail -30 "$log"; exit 1; }
korvane=$out/windows/korvane.exe
raw=$out/raw/raw_window.exe

export WINEPREFIX=$PWD/$out/wineprefix
. scripts/wine-env.sh
korvane_display
wineserver -k 2>/dev/null  # a server left from an earlier run may hold another display
korvane_wine_prefix

echo "== start-up to visible and idle, $rounds rounds, korvane and raw in turn" >&2
times=$out/startup.txt
wine "$out/raw/startup_timer.exe" "$rounds" "$(winepath -w "$korvane")" \
  "$(winepath -w "$raw")" 2>&1 | tr -d '\r' | tee "$times" >&2
status=${PIPESTATUS[0]}
wineserver -k 2>/dev/null
[ -n "${KORVANE_XVFB:-}" ] && kill "$KORVANE_XVFB" 2>/dev/null

median() {  # median of the times of program $1 (0 korvane, 1 raw)
  awk -v p="$1" '$2 == p && $3 >= 0 { print $3 }' "$times" | sort -n |
    awk '{ v[NR] = $1 } END { if (NR) printf "%.1f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
range() {  # fastest and slowest time of program $1
  awk -v p="$1" '$2 == p && $3 >= 0 { print $3 }' "$times" | sort -n | sed -n '1p;$p' | paste -sd- -
}
dlls() { i686-w64-mingw32-objdump -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p' | paste -sd' ' -; }
paired() {  # median of korvane's time over raw's, round by round
  awk '$3 >= 0 { t[$1, $2] = $3; n[$1] = 1 } END { for (r in n) if (t[r, 1] > 0) print t[r, 0] / t[r, 1] }' \
    "$times" | sort -n | awk '{ v[NR] = $1 } END { if (NR) printf "%.2f", v[int((NR + 1) / 2)] }'
}
k=$(median 0)
r=$(median 1)
ratio=$(awk -v k="$k" -v r="$r" 'BEGIN { if (k != "" && r > 0) printf "%.2f", k / r }')
verdict=$(awk -v x="$ratio" 'BEGIN { print (x == "" ? "not measured" : x <= 1.10 ? "met" : "MISSED") }')
pinned=${KORVANE_BENCH_CPU:+on CPU $KORVANE_BENCH_CPU only}
machine="$(nproc --all) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1), $(wine --version)"

{
  echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $machine; $rounds rounds after one warm-up, ${pinned:-on any CPU}."
  echo
  echo "| figure | korvane.exe | raw_window.exe | ratio | goal |"
  echo "|---|---|---|---|---|"
  echo "| start-up to visible and idle, median (Wine) | $k ms | $r ms | $ratio | <= 1.10: $verdict |"
  echo "| median of the rounds' ratios | | | $(paired) | |"
  echo "| fastest-slowest | $(range 0) ms | $(range 1) ms | | |"
  echo "| size | $(stat -c %s "$korvane") bytes | $(stat -c %s "$raw") bytes | | |"
  echo "| imported DLLs | $(dlls "$korvane") | $(dlls "$raw") | | |"
} >"$out/results.md"
cat "$out/results.md"
exit "$status"
