#!/usr/bin/env bash
# Installs what the build needs, builds, installs the program folder into
# dist/, puts the bundled Japan Post data into dist/CSV_IN and produces the
# word list and the CSV text from it in batch mode.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake -S . -B build-run -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build-run -j"$(nproc)"
cmake --install build-run --prefix dist

mkdir -p dist/CSV_IN
for zip in tests/data/japanpost/ken_all.zip tests/data/japanpost/jigyosyo.zip; do
  (cd dist/CSV_IN && cmake -E tar xf "../../$zip")
done

dist/Tessivar --batch --purpose ime --yes
dist/Tessivar --batch --purpose csv --column-names --yes
ls -l dist/CSV_OUT
