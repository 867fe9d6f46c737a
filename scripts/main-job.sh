#!/usr/bin/env bash
# Sets up, builds, and runs the main job: an Analyze on the default emulated machine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh native
bash scripts/build.sh default
cli=build/default/vanbrisk-cli
export VANBRISK_MACHINE="${VANBRISK_MACHINE:-$PWD/build/machine}"
[ -f "$VANBRISK_MACHINE/registry.db" ] || "$cli" machine init --demo --modern
"$cli" analyze
