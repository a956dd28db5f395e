#!/usr/bin/env bash
# scripts/bench runs every benchmark program of the build, none left out:
# benchrunner_test.sh SOURCE_DIR BENCH_DIR NAME... runs them with a filter
# that matches no benchmark and checks that each named program was run.
set -uo pipefail
source_dir="$1"
bench_dir="$2"
shift 2
out="$(bash "$source_dir/scripts/run-benchmarks.sh" "$bench_dir" 'no benchmark is called this' 2>&1)"
status=$?
failed=0
if [ "$status" -ne 0 ]; then
  echo "run-benchmarks.sh ended with $status"
  failed=1
fi
for name in "$@"; do
  if ! grep -qx "== $name" <<<"$out"; then
    echo "not run: $name"
    failed=1
  fi
done
[ "$failed" -eq 0 ] || { echo "$out"; exit 1; }
echo "every benchmark program ran: $*"
