#!/usr/bin/env bash
# Sets up, builds and runs every test: the normal build, then the sanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
for preset in default sanitize; do
  echo "== $preset build"
  bash scripts/build.sh "$preset"
  ctest --preset "$preset" -j2
done
