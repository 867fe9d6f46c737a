#!/usr/bin/env bash
# Puts the SQLite amalgamation (sqlite3.c, sqlite3.h) that the Windows build
# compiles in build/third_party/sqlite (or the folder given as $1).
# It comes from the npm registry, inside the package better-sqlite3 at one
# pinned version (its deps/sqlite3 folder), fetched with `npm pack`: the
# tarball must match the integrity recorded here, and the two files their
# SHA-256 sums. A folder whose files already match is left alone, so only the
# first run downloads.
set -euo pipefail
cd "$(dirname "$0")/.."

package=better-sqlite3
version=13.2.0  # carries SQLite 3.54.1
integrity=sha512-Z8Q/9x/uNyKxA1v4FNodyItRVRw1TeKBrmj32JhxhR0ceNcBY+wMobt/Bv7M7TzwPAXjnZRtNaEsATnUZSKWZQ==
sums="75a4760a7b9727a4c4c877aec92eacf39e52a8f2921ce00bd33be6d3a8e8e254  sqlite3.c
d6c84557261893439b341d2e6c35187ae3ea24fbfd843ad94616f72d89242b8c  sqlite3.h"

dest="${1:-build/third_party/sqlite}"
mkdir -p "$dest"
dest="$(cd "$dest" && pwd)"

if (cd "$dest" && sha256sum --status -c - <<<"$sums") 2>/dev/null; then
  exit 0
fi

if ! command -v npm >/dev/null; then
  echo "fetch-sqlite: npm is missing (scripts/install-deps.sh installs it)" >&2
  exit 1
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
echo "Fetching the SQLite amalgamation: $package@$version from the npm registry"
(cd "$work" && npm pack --silent --ignore-scripts "$package@$version" >/dev/null)
tarball="$work/$package-$version.tgz"

# npm's integrity is "sha512-" and the digest in base64; compared in hex.
expected="$(printf '%s' "${integrity#sha512-}" | base64 -d | od -An -v -tx1 | tr -d ' \n')"
actual="$(sha512sum "$tarball" | cut -d' ' -f1)"
if [ "$expected" != "$actual" ]; then
  echo "fetch-sqlite: $package-$version.tgz does not match its recorded integrity" >&2
  exit 1
fi

tar -xzf "$tarball" -C "$work" package/deps/sqlite3/sqlite3.c package/deps/sqlite3/sqlite3.h
if ! (cd "$work/package/deps/sqlite3" && sha256sum --quiet -c - <<<"$sums"); then
  echo "fetch-sqlite: the amalgamation in $package-$version does not match its recorded sums" >&2
  exit 1
fi
# The header first: CMake looks for sqlite3.c, so a half-copied folder is not
# taken for a whole one (and the sums are checked again on the next run).
cp "$work/package/deps/sqlite3/sqlite3.h" "$dest/sqlite3.h"
cp "$work/package/deps/sqlite3/sqlite3.c" "$dest/sqlite3.c.part"
mv "$dest/sqlite3.c.part" "$dest/sqlite3.c"
echo "SQLite amalgamation in $dest"
