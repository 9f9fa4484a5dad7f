#!/usr/bin/env bash
# Runs each fuzz target (libFuzzer, with the address and undefined-behaviour
# sanitizers) for a bounded time on a copy of its seed corpus:
#   scripts/fuzz.sh [SECONDS per target, default 60]
# The targets are those of the sanitizer build (build-sanitize, the sanitize
# preset, which scripts/sanitize.sh also uses), configured here when missing.
# A finding stops the run with the input that caused it saved in
# build-sanitize/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build-sanitize
targets=(record_reader settings_file script_parser)

if ! grep -qs '^FUZZING:BOOL=ON' "$build/CMakeCache.txt"; then
  cmake --preset sanitize >/dev/null
fi
cmake --build --preset sanitize -j2 --target "${targets[@]/#/fuzz_}"
findings="$build/findings"
mkdir -p "$findings"
for target in "${targets[@]}"; do
  corpus=$(mktemp -d)
  cp fuzz/corpus/"$target"/* "$corpus"/
  # The shipped definition scripts seed the parser as they stand.
  if [ "$target" = script_parser ]; then cp data/MDB定義/*.sql "$corpus"/; fi
  echo "fuzz_$target: ${seconds} s"
  status=0
  "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$findings/${target}-" "$corpus" >"$findings/$target.log" 2>&1 || status=$?
  grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb|SUMMARY)' "$findings/$target.log" || true
  rm -rf "$corpus"
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$findings/$target.log" >&2
    echo "fuzz_$target found a fault (exit status $status); the input is in $findings" >&2
    exit 1
  fi
done
