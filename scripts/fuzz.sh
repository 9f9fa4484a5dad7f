#!/usr/bin/env bash
# Runs each fuzz target (libFuzzer, with the address and undefined-behaviour
# sanitizers) for a bounded time on a copy of its seed corpus:
#   scripts/fuzz.sh [SECONDS per target, default 60] [BUILD_DIR, default build-fuzz]
# BUILD_DIR is a clang build of the fuzz targets alone, configured here when
# missing. A finding stops the run with the input that caused it saved in
# BUILD_DIR/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${2:-build-fuzz}
targets=(record_reader settings_file script_parser)

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
    -DBUILD_TESTING=OFF -DSANITIZE=ON -DFUZZING=ON -DTESSIVAR_WINDOWS=OFF
fi
cmake --build "$build" -j2 --target "${targets[@]/#/fuzz_}"

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
