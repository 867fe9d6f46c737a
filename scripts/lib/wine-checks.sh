# What the Wine test scripts share: counted checks, Wine's paths, reg.exe's
# answers, and an earlier version's files for the upgrade tests. Sourced by a
# script that has set WINEPREFIX.

passed=0 failed=0
check() {  # check "what" command...
  local what="$1"; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $what"; fi
}
not() { ! "$@"; }
same() { [ "$1" = "$2" ] || { echo "  got:      $1"; echo "  expected: $2"; return 1; }; }
differ() { [ "$1" != "$2" ] || { echo "  both: $1"; return 1; }; }
contains() { [[ "$1" == *"$2"* ]] || { echo "  no \"$2\" in: $1"; return 1; }; }
# "NAME: N passed, N failed", and the status: failure when a check failed.
checks_done() {
  echo "$1: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

winpath() { winepath -w "$1" 2>/dev/null; }
unix() { winepath -u "$1" 2>/dev/null; }

# reg.exe, tried again when Wine itself failed. Each command here starts the
# Wine server anew, and a start that meets the exit of the one before can fail;
# a key or value that is not there is reg's answer, not such a failure.
reg_exe() {
  local out rc try
  for try in 1 2 3; do
    out="$(wine reg "$@" 2>&1)" && rc=0 || rc=$?
    [ "$rc" -eq 0 ] || [[ "$out" == *"Unable to find the specified registry"* ]] && break
    echo "  (wine reg $1 failed with exit $rc after try $try: ${out//$'\n'/ })" >&2
    sleep 1
  done
  printf '%s\n' "$out"
  return "$rc"
}
# reg.exe prints in the console's code page (437).
reg_query() { reg_exe query "$@" | iconv -f CP437 -t UTF-8 | tr -d '\r'; }
has_key() { reg_exe query "$1" >/dev/null; }
has_value() { reg_exe query "$1" /v "$2" >/dev/null; }
value() {  # value KEY NAME: the data, "" when missing; NAME "(Default)": the default value
  local which=(/v "$2")
  [ "$2" = "(Default)" ] && which=(/ve)
  reg_query "$1" "${which[@]}" |
    awk -v name="    $2    " 'index($0, name) == 1 { sub(/^    .*    REG_[A-Z_]*    /, ""); print }'
}

# The files of an earlier version in DIR, made from this build's in BUILD:
# a History.txt of its own and a language file that this version no longer
# has (Obsolete.lng), which an upgrade must remove.
earlier_version_files() {  # earlier_version_files BUILD DIR
  mkdir -p "$2"
  cp "$1"/vanbrisk.exe "$1"/vanbrisk-cli.exe "$1"/vanbrisk.ico "$1"/*.lng "$2/"
  cp -r "$1"/PolicyDefinitions "$2/"
  echo "an earlier version" > "$2/History.txt"
  echo "; dropped since" > "$2/Obsolete.lng"
}
