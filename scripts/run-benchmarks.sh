#!/usr/bin/env bash
# Runs every benchmark program in a build's bench folder: run-benchmarks.sh DIR [FILTER].
# The folder also holds the build's own folders (bench_*_autogen), which pass a
# plain "-x" test; only files are run.
set -euo pipefail
dir="$1"
filter="${2:-.}"
for b in "$dir"/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_filter="$filter"
done
