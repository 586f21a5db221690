#!/usr/bin/env bash
# Builds the fuzz targets and runs each for the given number of seconds
# (default 60), starting from the committed seeds. New inputs go to
# build-fuzz/corpus/<target>/, findings to build-fuzz/findings/.
#   fuzz/run.sh [seconds] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(serve codec resolve pgen)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p build-fuzz/findings
for target in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$target
  mkdir -p "$corpus"
  echo "fuzz_$target: ${seconds}s"
  build-fuzz/fuzz/fuzz_$target -max_total_time="$seconds" -max_len=4096 -timeout=30 \
    -artifact_prefix=build-fuzz/findings/$target- -print_final_stats=1 \
    "$corpus" "fuzz/corpus/$target"
done
