#!/usr/bin/env bash
# Runs one fuzz target for a while: fuzz/run.sh NAME [SECONDS] (default 600).
# Builds the "fuzz" preset first. New inputs go to build/fuzz/fuzz/corpus/NAME
# (the seeds in fuzz/corpus/NAME are read, never written); a crash is saved
# as build/fuzz/fuzz/crash-... and the run stops. Ends with the executions,
# the coverage (edges) and the features found.
set -euo pipefail
cd "$(dirname "$0")/.."
name="${1:?usage: fuzz/run.sh NAME [SECONDS]}"
seconds="${2:-600}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "fuzz_$name"
mkdir -p "build/fuzz/fuzz/corpus/$name"
cd build/fuzz/fuzz
exec "./fuzz_$name" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
  "corpus/$name" "../../../fuzz/corpus/$name"
