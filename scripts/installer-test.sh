#!/usr/bin/env bash
# Builds the setup program (the `installer` target of the Windows build) and
# tests it under Wine, in a private prefix, as a user would use it: a silent
# install, the program started from the installed folder, the refusals while
# the program runs, silent uninstalls with and without /REMOVESETTINGS, an
# install into a folder with a blank, letters outside ASCII and other files,
# an upgrade over an earlier version and one into another folder. Ends with
# "N passed, N failed".
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
build="$root/build/windows"
work="$build/installer-test"
version="$(sed -n 's/.*kVersion\[\] = "\(.*\)";.*/\1/p' src/product/version.h)"
setup="$build/vanbrisk-setup-$version.exe"

cmake --preset windows >/dev/null
cmake --build --preset windows --target installer
[ -f "$setup" ] || { echo "installer test: $setup was not made" >&2; exit 1; }

# The icon that the emulated machine's program folder has, drawn by the
# Linux build's `machine init`: the installed vanbrisk.ico must be the same.
if [ ! -x build/default/vanbrisk-cli ]; then
  cmake --preset default >/dev/null && cmake --build --preset default --target vanbrisk-cli
fi
rm -rf "$work" && mkdir -p "$work"
build/default/vanbrisk-cli --machine "$work/machine" machine init >/dev/null
machine_icon="$work/machine/drive_c/Program Files/Vanbrisk/vanbrisk.ico"

# The command lines take Windows paths with blanks and letters outside ASCII,
# as UTF-8 here; Winemenubuilder would put the shortcuts in this user's menus.
export LC_ALL=C.UTF-8
export WINEPREFIX="$build/wineprefix-installer" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export XDG_DATA_HOME="$work/xdg"
rm -rf "$WINEPREFIX"
display=":$(( 80 + RANDOM % 9 ))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY="$display"
wineboot -i >/dev/null 2>&1 || true

source scripts/lib/wine-checks.sh

# A Windows command line as it is typed, quotes and all, with "/D=" and "_?="
# last and unquoted as NSIS needs them: Wine would quote an argument with a
# blank, so the line reaches cmd in a variable that cmd expands. Waits for the
# end and gives the exit code.
run() { VANBRISK_COMMAND="$*" wine cmd /c %VANBRISK_COMMAND% </dev/null >/dev/null 2>&1; }
# The last uninstaller copies itself to the temporary folder and returns at
# once; the copy removes the folder. Wait until every program has ended.
settle() { wineserver -w; }
# The first line with text of the diagnostics report that the installed
# vanbrisk-cli.exe shows.
report_version() {
  local script="$build/installer-diagnostics.vbs"
  printf 'start\nclick tt2\nclick Diag\nprint Diagnostics.Text1\nclick Diagnostics.Command1\nunload\n' >"$script"
  wine "$(unix "$1")/vanbrisk-cli.exe" run "$(winpath "$script")" </dev/null 2>/dev/null |
    tr -d '\r' | sed -n '/./{p;q;}'
}

reg_add() { reg_exe add "$@" /f >/dev/null; }

uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vanbrisk'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
shell_key='HKCR\CLSID\{645FF040-5081-101B-9F08-00AA002F954E}\Shell'
extensions='HKCU\Software\Microsoft\Internet Explorer\Extensions'
button_key="$extensions\\{D4AC5FD3-C2EE-4FC4-83EC-925E685134F4}"
store='HKCU\Software\VB And VBA Program Settings'
settings="$store\\Vanbrisk\\Settings"
programs_menu="$(unix 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs')"
menu="$programs_menu/Vanbrisk"
languages=(lang/*.lng)
policies=(policies/vanbrisk.admx policies/*/vanbrisk.adml)
files=(vanbrisk.exe vanbrisk-cli.exe vanbrisk.ico History.txt "${languages[@]#lang/}" "${policies[@]/#policies/PolicyDefinitions}")

# The shortcut file holds its target, arguments and icon in UTF-16, and its
# target once more in the ANSI code page when that can spell it.
shortcut_has() {
  python3 - "$1" "$2" <<'PYTHON'
import sys
data, text = open(sys.argv[1], "rb").read(), sys.argv[2]
sys.exit(text.encode("utf-16-le") not in data and text.encode("cp1252", "replace") not in data)
PYTHON
}

# Beside each entry of Vanbrisk: a key and a value that are not its own.
plant() {
  reg_add "$run_key" /v "Other Program" /d other.exe
  reg_add "$run_key\\Planted"
  reg_add "$shell_key\\Planted verb\\command" /ve /d other.exe
  reg_add "$shell_key" /v Planted /d kept
  reg_add "$extensions\\{00000000-0000-0000-0000-0000000000AA}" /v ButtonText /d Other
  reg_add "$extensions" /v Planted /d kept
  reg_add "${uninstall_key%\\Vanbrisk}\\Planted" /v DisplayName /d Other
  reg_add "${uninstall_key%\\Vanbrisk}" /v Planted /d kept
  reg_add "$store\\Other Program\\Settings" /v Planted /d kept
  reg_add "$store" /v Planted /d kept
  echo other > "$programs_menu/Other.lnk"
}
planted_kept() {
  check "planted Run value kept" same "$(value "$run_key" "Other Program")" other.exe
  check "planted key beside the Run values kept" has_key "$run_key\\Planted"
  check "planted verb kept" has_key "$shell_key\\Planted verb\\command"
  check "planted value beside the verbs kept" same "$(value "$shell_key" Planted)" kept
  check "planted button kept" has_key "$extensions\\{00000000-0000-0000-0000-0000000000AA}"
  check "planted value beside the button kept" same "$(value "$extensions" Planted)" kept
  check "planted Uninstall key kept" has_key "${uninstall_key%\\Vanbrisk}\\Planted"
  check "planted value beside the Uninstall key kept" \
    same "$(value "${uninstall_key%\\Vanbrisk}" Planted)" kept
  check "another program's settings kept" same "$(value "$store\\Other Program\\Settings" Planted)" kept
  check "planted value beside the settings kept" same "$(value "$store" Planted)" kept
  check "planted shortcut kept" test -f "$programs_menu/Other.lnk"
}

# The settings of a user who had ticked the two Run boxes, the two Recycle Bin
# verbs and the toolbar button, with Run values from another place: the
# program, started, writes all five with its own path.
user_settings() {
  reg_add "$settings" /v "(Opt)Close After Cleaning" /d 1
  reg_add "$settings" /v "(Opt)Recycle Bin" /d True
  reg_add "$settings" /v "(Opt)Recycle Bin - /AUTO" /d True
  reg_add "$settings" /v "(Opt)IEButton" /d True
  reg_add "$run_key" /v Vanbrisk /d 'C:\Old\vanbrisk.exe'
  reg_add "$run_key" /v "Vanbrisk /AUTO" /d 'C:\Old\vanbrisk.exe /AUTO'
  check "the Run values from another place are there" \
    same "$(value "$run_key" Vanbrisk)|$(value "$run_key" "Vanbrisk /AUTO")" \
    'C:\Old\vanbrisk.exe|C:\Old\vanbrisk.exe /AUTO'
}

installed() {  # installed FOLDER: every file, the shortcuts, the Uninstall key
  local folder="$1" dir; dir="$(unix "$1")"
  for f in "${files[@]}"; do
    local source="$build/$f"
    check "$f installed in $folder" cmp -s "$source" "$dir/$f"
  done
  check "uninstaller in $folder" test -f "$dir/uninstall.exe"
  check "the icon is the program's own" cmp -s "$machine_icon" "$dir/vanbrisk.ico"
  check "program shortcut" shortcut_has "$menu/Vanbrisk.lnk" "$folder\\vanbrisk.exe"
  check "quiet mode shortcut" shortcut_has "$menu/Vanbrisk - Quiet Mode.lnk" "$folder\\vanbrisk.exe"
  check "quiet mode shortcut runs /AUTO" shortcut_has "$menu/Vanbrisk - Quiet Mode.lnk" /AUTO
  check "DisplayName" same "$(value "$uninstall_key" DisplayName)" Vanbrisk
  check "DisplayVersion" same "$(value "$uninstall_key" DisplayVersion)" "$version"
  check "Publisher" same "$(value "$uninstall_key" Publisher)" Vanbrisk
  check "DisplayIcon" same "$(value "$uninstall_key" DisplayIcon)" "$folder\\vanbrisk.ico"
  check "InstallLocation" same "$(value "$uninstall_key" InstallLocation)" "$folder"
  check "UninstallString" same "$(value "$uninstall_key" UninstallString)" "\"$folder\\uninstall.exe\""
  check "QuietUninstallString" same "$(value "$uninstall_key" QuietUninstallString)" \
    "\"$folder\\uninstall.exe\" /S"
  local size; size="$(value "$uninstall_key" EstimatedSize)"
  check "EstimatedSize in KB ($size)" test $((size)) -gt $(( $(stat -c %s "$build/vanbrisk.exe") / 1024 ))
  check "NoModify" same "$(value "$uninstall_key" NoModify)" 0x1
  check "NoRepair" same "$(value "$uninstall_key" NoRepair)" 0x1
}

# Quiet mode: the program loads the settings (writing its entries again) and
# cleans, without a window.
start_quietly() { check "the program from $1 runs in quiet mode" run "\"$1\\vanbrisk.exe\" /AUTO"; }

program_entries() {  # program_entries FOLDER: the five entries name the program there
  local program="$1\\vanbrisk.exe"
  [[ "$program" == *" "* ]] && program="\"$program\""
  check "Run value with the installed path" same "$(value "$run_key" Vanbrisk)" "$program"
  check "quiet Run value with the installed path" same "$(value "$run_key" "Vanbrisk /AUTO")" \
    "$program /AUTO"
  check "Open verb" same "$(value "$shell_key\\Open Vanbrisk...\\command" "(Default)")" "$program"
  check "Run verb" same "$(value "$shell_key\\Run Vanbrisk...\\command" "(Default)")" "$program /AUTO"
  check "toolbar button" same "$(value "$button_key" Exec)" "$1\\vanbrisk.exe"
  check "toolbar icon" same "$(value "$button_key" Icon)" "$1\\vanbrisk.ico"
}

removed() {  # removed FOLDER: nothing of Vanbrisk is left
  local folder="$1" dir; dir="$(unix "$1")"
  for f in "${files[@]}" uninstall.exe; do check "$f removed" test ! -e "$dir/$f"; done
  check "the policy templates' folders removed" test ! -e "$dir/PolicyDefinitions"
  check "shortcuts removed" test ! -e "$menu"
  check "Uninstall key removed" not has_key "$uninstall_key"
  check "Run value removed" not has_value "$run_key" Vanbrisk
  check "quiet Run value removed" not has_value "$run_key" "Vanbrisk /AUTO"
  check "Open verb removed" not has_key "$shell_key\\Open Vanbrisk..."
  check "Run verb removed" not has_key "$shell_key\\Run Vanbrisk..."
  check "toolbar button removed" not has_key "$button_key"
  planted_kept
}

program_files="C:\\Program Files\\Vanbrisk"

echo "== install into Program Files"
check "the setup program asks for administrator rights" grep -q requireAdministrator "$setup"
plant
user_settings
check "setup /S succeeds" run "\"$(winpath "$setup")\" /S"
installed "$program_files"
check "the installed vanbrisk-cli.exe reports the installed version" \
  same "$(report_version "$program_files")" "Vanbrisk Suite Version: $version"
start_quietly "$program_files"
program_entries "$program_files"

echo "== refusals while the program runs"
# The program writes the marker "AutoCleanTrue" anew as it ends its load,
# then waits with its window open.
reg_add "$settings" /v AutoCleanTrue /d Planted
wine "$(unix "$program_files")/vanbrisk.exe" </dev/null >/dev/null 2>&1 &
program_pid=$!
for _ in $(seq 60); do
  [ "$(value "$settings" AutoCleanTrue)" = Planted ] || break
  sleep 0.5
done
check "the program has started" test "$(value "$settings" AutoCleanTrue)" != Planted
status=0
run "\"$program_files\\uninstall.exe\" /S _?=$program_files" || status=$?
check "the uninstaller refuses (exit $status)" same "$status" 2
status=0
run "\"$(winpath "$setup")\" /S" || status=$?
check "the setup program refuses (exit $status)" same "$status" 2
installed "$program_files"
kill "$program_pid" 2>/dev/null || true
wait "$program_pid" 2>/dev/null || true
program_pid=""

echo "== silent uninstall keeps the settings"
check "uninstall /S succeeds" run "\"$program_files\\uninstall.exe\" /S"
settle
removed "$program_files"
check "Program Files folder removed" test ! -e "$(unix "$program_files")"
check "settings kept" same "$(value "$settings" "(Opt)Close After Cleaning")" 1

echo "== silent uninstall with /REMOVESETTINGS"
check "setup /S succeeds" run "\"$(winpath "$setup")\" /S"
check "uninstall /S /REMOVESETTINGS succeeds" \
  run "\"$program_files\\uninstall.exe\" /S /REMOVESETTINGS"
settle
removed "$program_files"
check "settings removed" not has_key "$store\\Vanbrisk"

echo "== install into a folder with a blank, letters outside ASCII and other files"
unusual='C:\Prögram Fïles\Vañbrisk Tëst'
mkdir -p "$(unix "$unusual")"
echo "the user's notes" > "$(unix "$unusual")/notes.txt"
echo "; the user's own language" > "$(unix "$unusual")/Mine.lng"
user_settings
check "setup /S /D= succeeds" run "\"$(winpath "$setup")\" /S /D=$unusual"
installed "$unusual"
start_quietly "$unusual"
program_entries "$unusual"
check "uninstall /S succeeds" run "\"$unusual\\uninstall.exe\" /S"
settle
removed "$unusual"
check "the user's file kept" test -f "$(unix "$unusual")/notes.txt"
check "the user's language file kept" test -f "$(unix "$unusual")/Mine.lng"
check "settings kept" same "$(value "$settings" "(Opt)Close After Cleaning")" 1

echo "== upgrade over an earlier version"
user_settings
# The earlier version: the same script with a lower version, a language file
# that the new one no longer has, and its own History.txt.
old="$work/old"
earlier_version_files "$build" "$old"
sed -e 's/^!define VERSION .*/!define VERSION "1.00.1"/' \
    -e 's/^!macro VanbriskProgramFiles ACTION$/&\n  !insertmacro ${ACTION} "Obsolete.lng"/' \
    "$build/installer/names.nsh" > "$old/names.nsh"
makensis -V1 "-DNAMES=$old/names.nsh" "-DPROGRAM_DIR=$old" "-DOUTFILE=$old/setup-old.exe" \
  installer/vanbrisk.nsi
check "earlier setup /S succeeds" run "\"$(winpath "$old/setup-old.exe")\" /S"
check "earlier version installed" same "$(value "$uninstall_key" DisplayVersion)" 1.00.1
check "earlier language file installed" test -f "$(unix "$program_files")/Obsolete.lng"
start_quietly "$program_files"
check "setup /S over it succeeds" run "\"$(winpath "$setup")\" /S"
settle
installed "$program_files"
check "the file the new version dropped is gone" test ! -e "$(unix "$program_files")/Obsolete.lng"
check "settings kept" same "$(value "$settings" "(Opt)Close After Cleaning")" 1
program_entries "$program_files"

echo "== upgrade into another folder"
# Without the program started since, its entries name the new folder.
moved='C:\Vanbrisk Moved'
check "setup /S /D= over it succeeds" run "\"$(winpath "$setup")\" /S /D=$moved"
settle
installed "$moved"
check "the earlier folder removed" test ! -e "$(unix "$program_files")"
program_entries "$moved"
check "uninstall /S succeeds" run "\"$moved\\uninstall.exe\" /S"
settle
removed "$moved"

checks_done installer
