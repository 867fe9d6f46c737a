#!/usr/bin/env bash
# Builds the Windows Installer package (the `installer` target of the Windows
# build) and tests it under Wine's msiexec, in a private prefix, as a managed
# fleet uses it: the package's facts, the refusal beside the setup program, a
# silent install of a lower version, the silent upgrade to this version (one
# product afterwards, this version's files), the installed vanbrisk-cli.exe,
# the refusals of a lower version and of another build of this one, and a
# silent uninstall that keeps the settings and the files that are not the
# package's. Ends with "N passed, N failed".
set -euo pipefail
cd "$(dirname "$0")/.."
build="$PWD/build/windows"
work="$build/msi-test"
version="$(sed -n 's/.*kVersion\[\] = "\(.*\)";.*/\1/p' src/product/version.h)"
msi="$build/vanbrisk-$version.msi"
# The same major and minor with the build number before this one's.
build_number="${version##*.}"
lower="${version%.*}.$((10#$build_number - 1))"

cmake --preset windows >/dev/null
cmake --build --preset windows --target installer
[ -f "$msi" ] || { echo "msi test: $msi was not made" >&2; exit 1; }
[ "$((10#$build_number))" -gt 0 ] || { echo "msi test: no build number below $version" >&2; exit 1; }

# Windows Installer needs no display for /qn; Winemenubuilder would put the
# shortcuts in this user's menus.
export LC_ALL=C.UTF-8
export WINEPREFIX="$build/wineprefix-msi" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export XDG_DATA_HOME="$work/xdg"
unset DISPLAY WAYLAND_DISPLAY
rm -rf "$WINEPREFIX" "$work" && mkdir -p "$work"
trap 'wineserver -k 2>/dev/null || true' EXIT
wineboot -i >/dev/null 2>&1 || true

source scripts/lib/wine-checks.sh
msiexec() { wine msiexec "$@" </dev/null >/dev/null 2>&1; }
# The output of the installed vanbrisk-cli.exe, without carriage returns.
cli() { wine "$(unix "$program_files")/vanbrisk-cli.exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }

# The Uninstall keys whose DisplayName is the product's, one a line.
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
entries() {
  reg_query "$uninstall" /s |
    awk '/^HKEY_/ { key = $0 } /^    DisplayName    REG_SZ    Vanbrisk$/ { print key }'
}
entry_count() { entries | grep -c . || true; }
property() {  # property MSI NAME: a value of the package's Property table
  msiinfo export "$1" Property | tr -d '\r' | awk -F '\t' -v name="$2" '$1 == name { print $2 }'
}
# The key of Windows Installer's registration of the product: its ProductCode
# with each group's hexadecimal digits reversed, pairwise after the third.
product_key() {
  python3 - "$(property "$1" ProductCode)" <<'PYTHON'
import sys
g = sys.argv[1].strip("{}").replace("-", "")
pairs = "".join(g[i + 1] + g[i] for i in range(16, 32, 2))
print("HKCR\\Installer\\Products\\" + g[0:8][::-1] + g[8:12][::-1] + g[12:16][::-1] + pairs)
PYTHON
}
# The shortcut file holds its target and arguments in UTF-16.
shortcut_has() {
  python3 - "$1" "$2" <<'PYTHON'
import sys
data, text = open(sys.argv[1], "rb").read(), sys.argv[2]
sys.exit(text.encode("utf-16-le") not in data and text.encode("cp1252") not in data)
PYTHON
}

program_files='C:\Program Files\Vanbrisk'
dir="$(unix "$program_files")"
# Wine's msi takes the installing user's Start menu for ProgramMenuFolder
# even in a per-machine install (a FIXME of Wine's); Windows takes the one of
# all users, C:\ProgramData\Microsoft\Windows\Start Menu\Programs.
appdata="$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')"
menu="$(unix "$appdata\\Microsoft\\Windows\\Start Menu\\Programs")/Vanbrisk"
settings='HKCU\Software\VB And VBA Program Settings\Vanbrisk\Settings'
languages=(lang/*.lng)
policies=(policies/vanbrisk.admx policies/*/vanbrisk.adml)
files=(vanbrisk.exe vanbrisk-cli.exe vanbrisk.ico History.txt "${languages[@]#lang/}" "${policies[@]/#policies/PolicyDefinitions}")

# The lower version: the same wxs with a History.txt of its own and a language
# file that this version no longer has.
old="$work/old"
earlier_version_files "$build" "$old"
sed '/English\.lng/{p;s/English\.lng/Obsolete.lng/g}' "$build/installer/vanbrisk.wxs" > "$old/vanbrisk.wxs"
(cd "$old" && wixl -a x64 -D "Version=$lower" -o "$work/lower.msi" vanbrisk.wxs 2>/dev/null)
# Another build of this version: another ProductCode.
(cd "$build" && wixl -a x64 -o "$work/rebuilt.msi" installer/vanbrisk.wxs 2>/dev/null)

installed() {  # installed: every file of this version, the shortcuts, one Uninstall entry
  for f in "${files[@]}"; do check "$f installed" cmp -s "$build/$f" "$dir/$f"; done
  check "program shortcut" shortcut_has "$menu/Vanbrisk.lnk" "$program_files\\vanbrisk.exe"
  check "quiet mode shortcut" shortcut_has "$menu/Vanbrisk - Quiet Mode.lnk" "$program_files\\vanbrisk.exe"
  check "quiet mode shortcut runs /AUTO" shortcut_has "$menu/Vanbrisk - Quiet Mode.lnk" /AUTO
  check "one Uninstall entry" same "$(entry_count)" 1
  local key="$uninstall\\$(property "$msi" ProductCode)"
  check "DisplayName of this package's entry" same "$(value "$key" DisplayName)" Vanbrisk
  check "DisplayVersion" same "$(value "$key" DisplayVersion)" "$version"
  check "Publisher" same "$(value "$key" Publisher)" Vanbrisk
  check "InstallLocation" same "$(value "$key" InstallLocation)" "$program_files\\"
  # The icon of "Add or Remove Programs": ARPPRODUCTICON, which Windows
  # Installer keeps in its own folder.
  local icon; icon="$(value "$(product_key "$msi")" ProductIcon)"
  check "ProductIcon ($icon)" same "$icon" "C:\\windows\\Installer\\$(property "$msi" ProductCode)\\vanbrisk.ico"
  check "the icon is the program's" cmp -s "$build/vanbrisk.ico" "$(unix "$icon")"
  check "UninstallString" same "$(value "$key" UninstallString)" \
    "MsiExec.exe /X$(property "$msi" ProductCode)"
}

echo "== the package"
check "per-machine (ALLUSERS=1)" same "$(property "$msi" ALLUSERS)" 1
check "ProductVersion is the program's" same "$(property "$msi" ProductVersion)" "$version"
check "64-bit" bash -c "msiinfo suminfo '$msi' | grep -qx 'Template: x64;1033'"
check "64-bit components" bash -c "msiinfo export '$msi' Component | awk -F '\t' 'NR > 3 && \$4 != 256 { exit 1 }'"
check "one UpgradeCode for every version" \
  same "$(property "$work/lower.msi" UpgradeCode)" "$(property "$msi" UpgradeCode)"
check "a ProductCode for every package" \
  differ "$(property "$work/lower.msi" ProductCode)" "$(property "$msi" ProductCode)"

echo "== refusal beside the setup program"
reg_exe add "$uninstall\\Vanbrisk" /v InstallLocation /d 'C:\Elsewhere' /f >/dev/null
check "msiexec /i refuses" not msiexec /i "$(winpath "$msi")" /qn
check "nothing installed" same "$(entry_count)|$(test -e "$dir" && echo folder)" "0|"
reg_exe delete "$uninstall\\Vanbrisk" /f >/dev/null

echo "== silent install of version $lower"
check "msiexec /i /qn succeeds" msiexec /i "$(winpath "$work/lower.msi")" /qn
check "one Uninstall entry" same "$(entry_count)" 1
check "DisplayVersion" same "$(value "$(entries)" DisplayVersion)" "$lower"
check "its History.txt" cmp -s "$old/History.txt" "$dir/History.txt"
check "its language file" test -f "$dir/Obsolete.lng"

echo "== silent upgrade to $version"
check "msiexec /i /qn succeeds" msiexec /i "$(winpath "$msi")" /qn
installed
check "the file this version dropped is gone" test ! -e "$dir/Obsolete.lng"
check "the installed vanbrisk-cli.exe reports the version" same "$(cli --version)" "vanbrisk-cli $version"
check "the installed vanbrisk-cli.exe lists the items" bash -c '[[ "$1" == *"item	SysTemp	"* ]]' _ "$(cli list)"

echo "== refusals of a lower version and of another build of this one"
check "msiexec /i of $lower refuses" not msiexec /i "$(winpath "$work/lower.msi")" /qn
check "another build of $version refuses" not msiexec /i "$(winpath "$work/rebuilt.msi")" /qn
installed

echo "== silent uninstall"
check "the installed vanbrisk-cli.exe writes a setting" \
  same "$(cli reg add "$settings" /v Language /d German /f)" "The operation completed successfully."
echo "the user's notes" > "$dir/notes.txt"
check "msiexec /x /qn succeeds" msiexec /x "$(winpath "$msi")" /qn
for f in "${files[@]}"; do check "$f removed" test ! -e "$dir/$f"; done
check "the policy templates' folders removed" test ! -e "$dir/PolicyDefinitions"
check "the user's file kept" test -f "$dir/notes.txt"
check "shortcuts removed" test ! -e "$menu"
check "Uninstall entry removed" same "$(entry_count)" 0
check "product registration removed" not has_key "$(product_key "$msi")"
check "its icon removed" test ! -e "$(unix "C:\\windows\\Installer\\$(property "$msi" ProductCode)")/vanbrisk.ico"
check "setting kept" same "$(value "$settings" Language)" German

checks_done msi
