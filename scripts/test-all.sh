#!/usr/bin/env bash
# Sets up, builds and runs every test: the normal build, the sanitizer build,
# and the Windows build, whose tests run under Wine (a private prefix in
# build/windows, a time limit per test), its window, its setup program and
# its Windows Installer package, a short run of each fuzz target, and the
# Linux build on a real Wine prefix.
# Ends with the count of platform conformance cases run on each platform.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
logs="$(mktemp -d)"
trap 'rm -rf "$logs"' EXIT

for preset in default sanitize windows; do
  echo "== $preset build"
  bash scripts/build.sh "$preset"
  ctest --preset "$preset" -j2 2>&1 | tee "$logs/$preset.log"
done

# Every parser's fuzz target: its seed corpus, then a few seconds of new inputs.
echo "== fuzz build (a short run of each target)"
bash scripts/build.sh fuzz
ctest --preset fuzz

# vanbrisk-cli on a real prefix that wineboot makes: read, refused while its
# wineserver runs, cleaned, read back by Wine, found as a Proton game's.
echo "== a real Wine prefix"
bash scripts/prefix-test.sh

# The native window under Wine and Xvfb, as a user drives it, with screenshots.
echo "== native window (Wine, Xvfb)"
bash scripts/gui-test.sh

# The setup program and its uninstaller under Wine: install, upgrade, remove.
echo "== setup program (Wine, Xvfb)"
bash scripts/installer-test.sh

# The Windows Installer package under Wine's msiexec: install, upgrade, remove.
echo "== MSI package (Wine msiexec)"
bash scripts/msi-test.sh

# CTest's lines for the conformance cases: "Test #7: ConformanceX.Y ... Passed".
count() { grep -E "Test +#[0-9]+: Conformance[A-Za-z]+\." "$logs/$1.log" | grep -c -E "$2" || true; }
echo "== platform conformance cases"
for preset in default sanitize windows; do
  case "$preset" in
    default) where="emulated machine (Linux)" ;;
    sanitize) where="emulated machine (Linux, sanitizers)" ;;
    windows) where="Win32 API (under $(wine --version 2>/dev/null || echo Wine))" ;;
  esac
  printf '%-45s %3s passed, %s skipped\n' "$where:" "$(count "$preset" ' Passed ')" \
    "$(count "$preset" 'Skipped')"
done
# The registry cases once more, against a Wine prefix's files read by the program.
files() { grep -E "Test +#[0-9]+: WineFiles/Conformance[A-Za-z]+\." "$logs/default.log" | grep -c -E "$1" || true; }
printf '%-45s %3s passed, %s skipped\n' "Wine prefix registry files (Linux):" "$(files ' Passed ')" \
  "$(files 'Skipped')"

