#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, when missing:
# the native tool chain and libraries, the mingw-w64 cross compiler and Wine
# for the Windows build and its tests, GoogleTest's sources (built for
# Windows), Xvfb and ImageMagick for the window tests, NSIS for the setup
# program, wixl and msitools for the Windows Installer package (wixl makes it,
# its test reads it with msiinfo), clang 14 with libFuzzer for the fuzz
# targets, and npm, which fetches the SQLite amalgamation that the Windows
# build compiles (scripts/fetch-sqlite.sh, run last).
# With "native", only what the Linux build needs (the main job).
set -euo pipefail
packages=(cmake g++ make libgtest-dev googletest libsqlite3-dev)
if [ "${1:-all}" != native ]; then
  packages+=(g++-mingw-w64-x86-64 wine wine64 xvfb imagemagick nsis msitools wixl clang-14 libclang-rt-14-dev)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# npm may come with a Node.js of another source than Debian's package npm.
if [ "${1:-all}" != native ] && ! command -v npm >/dev/null; then
  missing+=(npm)
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi
if [ "${1:-all}" != native ]; then
  bash "$(dirname "$0")/fetch-sqlite.sh"
fi
