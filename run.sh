#!/usr/bin/env bash
# Installs what the build needs, builds, installs the program folder into
# dist/, puts the bundled Japan Post data into dist/CSV_IN as it is
# downloaded (the zips, which Tessivar reads without unpacking) and produces
# the word list and the CSV text from it in batch mode.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake -S . -B build-run -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build-run -j"$(nproc)"
cmake --install build-run --prefix dist

mkdir -p dist/CSV_IN
cp tests/data/japanpost/ken_all.zip tests/data/japanpost/jigyosyo.zip dist/CSV_IN/

dist/Tessivar --batch --purpose ime --yes
dist/Tessivar --batch --purpose csv --column-names --yes
ls -l dist/CSV_OUT
