#!/usr/bin/env bash
# Converts the whole country of every bundled month with an installed program
# folder, for every purpose and input form, and keeps each output in OUT_DIR
# (the database as an SQL dump), so that two builds can be compared with
# `diff -r`. Usage: scripts/whole-country-outputs.sh PROGRAM_DIR OUT_DIR
set -euo pipefail
program=$(realpath "$1")
out=$(realpath -m "$2")
data=$(realpath "$(dirname "$0")/../tests/data/japanpost")
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One program folder per input form: a copy of the installed one with its own CSV_IN.
prepare() { # name, then the files to put into CSV_IN
  local home=$work/$1; shift
  cp -a "$program" "$home"
  rm -rf "$home/CSV_IN" "$home/CSV_OUT" "$home/MDB_OUT"
  mkdir -p "$home/CSV_IN"
  cp "$@" "$home/CSV_IN/"
}
unpacked() { # zip, into a folder
  mkdir -p "$2"; (cd "$2" && cmake -E tar xf "$1")
}

unpacked "$data/ken_all.zip" "$work/x-2026-05"
unpacked "$data/jigyosyo.zip" "$work/x-2026-05"
unpacked "$data/utf_ken_all.zip" "$work/x-2026-05-utf"
prepare 2026-05-zips "$data/ken_all.zip" "$data/jigyosyo.zip"
prepare 2026-05-csv "$work/x-2026-05/KEN_ALL.CSV" "$work/x-2026-05/JIGYOSYO.CSV"
prepare 2026-05-utf "$work/x-2026-05-utf/utf_ken_all.csv" "$data/jigyosyo.zip"
prepare 2025-08-zips "$data/2025-08/ken_all.zip" "$data/2025-08/jigyosyo.zip"

run() { # home, label, output file, batch arguments
  local name=$1 label=$2 file=$3; shift 3
  local home=$work/$name
  "$home/Tessivar" --batch --home "$home" --yes "$@" >"$out/$name.$label.log" 2>&1 \
    || echo "exit $?" >>"$out/$name.$label.log"
  if [ "$file" = torvask.mdb ]; then
    sqlite3 "$home/MDB_OUT/torvask.mdb" .dump >"$out/$name.$label.sql"
  else
    cp "$home/CSV_OUT/$file" "$out/$name.$label.${file##*.}"
  fi
}

for home in 2026-05-zips 2026-05-csv 2026-05-utf 2025-08-zips; do
  run $home ime ZIP.TXT --purpose ime
  run $home ime-mozc-plain-pref-blank ZIP.TXT --purpose ime --ime-target mozc --no-hyphen \
    --with-prefecture --with-blank
  run $home csv ZIPDATA.CSV --purpose csv --column-names
  run $home csv-hyphen-second-set ZIPDATA.CSV --purpose csv --hyphen --field-set Quillmere用
  run $home mdb torvask.mdb --purpose mdb --poll-ms 1000
done
