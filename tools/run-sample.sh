#!/usr/bin/env bash
# Runs the Birch program headless on the bundled sample company and prints
# where the document went.
set -euo pipefail
cd "$(dirname "$0")/.."
out="$PWD/build/sample"
mkdir -p "$out"
rm -f "$out/journal.jsonl"
# The default drive map puts C:\ at the host's /, so a host path p is the
# Windows path C: followed by p with backslashes.
winpath="C:${out//\//\\}\\sample-report.xml"
printf 'set 1015 %s\n' "$winpath" > "$out/answers.txt"
XDG_DATA_HOME="$out/data" \
STMTLINK_UI=script \
STMTLINK_UI_SCRIPT="$out/answers.txt" \
STMTLINK_JOURNAL="$out/journal.jsonl" \
  build/bin/stmtlink-birch
echo "document: $out/sample-report.xml"
echo "journal:  $out/journal.jsonl"
