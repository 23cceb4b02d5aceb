#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each one for a bounded time from its committed seed
# corpus. New inputs go to build/fuzz/work/<target>, never into the committed corpus; a crash,
# a broken invariant or a sanitizer report fails the run and leaves the input in build/fuzz.
#   fuzz/run.sh [seconds per target] [target...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/.."
seconds=${1:-${KORVANE_FUZZ_SECONDS:-40}}
shift $(( $# > 0 ? 1 : 0 ))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(variant_fuzz startup_fuzz events_fuzz)

cmake --preset fuzz >/dev/null && cmake --build --preset fuzz || exit 1

status=0
for target in "${targets[@]}"; do
  binary=build/fuzz/fuzz/$target
  if [ ! -x "$binary" ]; then
    echo "== $target: not built"
    status=1
    continue
  fi
  corpus=fuzz/corpus/${target%_fuzz}
  work=build/fuzz/work/${target%_fuzz}
  mkdir -p "$work" build/fuzz/crashes
  log=build/fuzz/$target.log
  echo "== $target: $seconds s from $corpus"
  if "$binary" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 -max_len=4096 \
      -print_final_stats=1 -artifact_prefix=build/fuzz/crashes/"$target"- \
      "$work" "$corpus" >"$log" 2>&1; then
    grep -E '^stat::number_of_executed_units|^Done' "$log" | tail -2
  else
    echo "== $target FAILED; the log is $log:"
    grep -E -A30 'invariant broken|ERROR:|runtime error' "$log" | head -60
    status=1
  fi
done
exit $status
