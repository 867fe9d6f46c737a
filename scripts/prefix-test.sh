#!/usr/bin/env bash
# vanbrisk-cli (the Linux build) on a real Wine prefix that wineboot makes:
# listed, analysed, planned and cleaned; refused while its wineserver runs;
# Wine starting in it afterwards and reading what the program left, every
# key the clean did not change kept byte for byte; the prefix found as a
# Proton game's through Steam's libraryfolders.vdf. Prints the time that
# reading and writing back this prefix's registry takes. Ends with
# "N passed, N failed".
set -euo pipefail
cd "$(dirname "$0")/.."
build="$PWD/build/default"
work="$build/prefix-test"
cli="$build/vanbrisk-cli"

cmake --preset default >/dev/null
cmake --build --preset default --target vanbrisk-cli wine_registry_bench

export LC_ALL=C.UTF-8
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export XDG_DATA_HOME="$work/xdg"
unset DISPLAY WAYLAND_DISPLAY
rm -rf "$work" && mkdir -p "$work"
trap 'wineserver -k 2>/dev/null || true' EXIT
wineboot -i >/dev/null 2>&1 || true
wineserver -w

source scripts/lib/wine-checks.sh
# The prefix's user: Wine names the profile after the one who made it.
user="$(basename "$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -1)")"
profile="$WINEPREFIX/drive_c/users/$user"
vb() { "$cli" --machine "$WINEPREFIX" "$@"; }
# A registry file's keys, one a line (its lines joined by "|"), in file order.
keys() { awk 'BEGIN { RS = ""; ORS = "\n" } /^\[/ { gsub(/\n/, "|"); print }' "$1"; }

# Traces to clean: temporary files of the user and of Windows, a Run box
# history written by Wine itself, and a key to keep with text outside ASCII
# written by the program.
mkdir -p "$profile/Temp/setup" "$WINEPREFIX/drive_c/windows/temp"
printf '%s' 1234567890 >"$profile/Temp/setup/install.log"
printf '%s' 12345 >"$profile/Temp/a.tmp"
printf '%s' 123 >"$WINEPREFIX/drive_c/windows/temp/b.tmp"
printf '%s' keep >"$profile/Documents/notes.txt"
run_mru='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU'
reg_exe add "$run_mru" /v a /d 'notepad\1' /f >/dev/null
reg_exe add "$run_mru" /v MRUList /d a /f >/dev/null
wineserver -w
check "the program writes text outside ASCII" vb reg add 'HKCU\Software\Vanbrisk Test' /v 'Café' /d 'naïve ✓ 日本' /f

echo "== the prefix read"
listed="$(vb list)"
check "list shows the built-in items" contains "$listed" $'item\tSysTemp\t1\tSystem Temporary'
analysis="$(vb analyze)"
check "analyze lists the user's temporary files" contains "$analysis" "C:\\users\\$user\\Temp\\setup\\install.log 10 bytes"
check "analyze lists Windows' temporary files" contains "$analysis" 'b.tmp 3 bytes'
cp "$WINEPREFIX/user.reg" "$work/user.before"
cp "$WINEPREFIX/system.reg" "$work/system.before"
plan="$(vb plan --json)"
check "plan names the Run box history" contains "$plan" '"value": "MRUList", "action": "deleted", "source": "Explorer MRUs"'
check "plan names the prefix's user" contains "$plan" "\"user\": \"$user\""
check "plan leaves user.reg as it was" cmp -s "$WINEPREFIX/user.reg" "$work/user.before"
check "plan leaves the files" test -f "$profile/Temp/a.tmp"

echo "== a wineserver running"
wineserver -p 60 &
sleep 1
refused="$(vb clean --yes 2>&1)" && rc=0 || rc=$?
check "clean is refused while the wineserver runs" same "$rc" 1
check "the refusal says why" contains "$refused" "is in use: a wineserver"
check "nothing was deleted" test -f "$profile/Temp/a.tmp"
read_while="$(vb analyze --quiet 2>&1)"
check "analyze works and says the prefix is in use" contains "$read_while" "runs for it, and what is shown may change"
wineserver -k
wineserver -w 2>/dev/null || true
sleep 1

echo "== the prefix cleaned"
check "clean runs" vb clean --yes --quiet
check "the user's temporary files are gone" test ! -e "$profile/Temp/a.tmp"
check "their folder is gone" test ! -e "$profile/Temp/setup"
check "Windows' temporary file is gone" test ! -e "$WINEPREFIX/drive_c/windows/temp/b.tmp"
check "the user's document stays" same "$(cat "$profile/Documents/notes.txt")" keep
check "system.reg, which the clean did not change, keeps its bytes" cmp -s "$WINEPREFIX/system.reg" "$work/system.before"
# The keys of user.reg that are no longer as they were, without their times.
changed="$(comm -23 <(keys "$work/user.before" | sort) <(keys "$WINEPREFIX/user.reg" | sort) |
  cut -d'|' -f1 | sed 's/\] [0-9]*$/]/')"
check "user.reg: only the key the clean changed was written anew" \
  same "$changed" '[Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU]'
check "Wine starts in the prefix" wine cmd /c exit
check "Wine reads the cleaned key: no values" same "$(reg_query "$run_mru" | grep -c REG_ || true)" 0
reg_exe export 'HKCU\Software\Vanbrisk Test' "$(winpath "$work/kept.reg")" /y >/dev/null
check "Wine reads the program's text outside ASCII" contains "$(iconv -f UTF-16 -t UTF-8 "$work/kept.reg" | tr -d '\r')" '"Café"="naïve ✓ 日本"'
wineserver -w

echo "== found as a Proton game's prefix"
home="$work/home" library="$work/library"
mkdir -p "$home/.local/share/Steam/steamapps" "$library/steamapps/compatdata/4000"
ln -s "$WINEPREFIX" "$library/steamapps/compatdata/4000/pfx"
printf '"libraryfolders"\n{\n\t"0"\n\t{\n\t\t"path"\t\t"%s"\n\t}\n\t"1"\n\t{\n\t\t"path"\t\t"%s"\n\t\t"apps"\n\t\t{\n\t\t\t"4000"\t\t"1"\n\t\t}\n\t}\n}\n' \
  "$home/.local/share/Steam" "$library" >"$home/.local/share/Steam/steamapps/libraryfolders.vdf"
found="$(env -u WINEPREFIX HOME="$home" XDG_DATA_HOME="$home/.local/share" "$cli" prefixes --json)"
check "prefixes finds it through libraryfolders.vdf" contains "$found" "{\"folder\": \"$(realpath "$WINEPREFIX")\", \"source\": \"Steam\", \"name\": \"4000\", \"user\": \"$user\", \"inUse\": false"
check "prefixes counts one prefix" contains "$found" '"verb": "prefixes", "prefixes": 1'

echo "== reading and writing back this prefix's registry"
"$build/bench/wine_registry_bench" "$WINEPREFIX" 5 "$work"

checks_done prefix
