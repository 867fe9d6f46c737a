#!/usr/bin/env bash
# Runs the native window under Wine and Xvfb: gui_test.exe drives vanbrisk.exe
# as a user would, and at each page waits while this script takes a
# screenshot with ImageMagick's import. Two passes, each in a fresh prefix:
# at 96 DPI on a 1024x768 screen (build/windows/screenshots/*.png), and at
# 144 DPI on a 1920x1080 screen, as a laptop at 150% has it
# (build/windows/screenshots/144dpi/*.png). Wine takes the DPI from the
# prefix's HKCU\Control Panel\Desktop value LogPixels.
set -euo pipefail
cd "$(dirname "$0")/.."
build="$PWD/build/windows"
rm -rf "$build/screenshots"
status=0

# gui_pass FOLDER DPI SCREEN: one run of gui_test.exe; its screenshots in FOLDER.
gui_pass() {
  local shots="$1" dpi="$2" screen="$3"
  mkdir -p "$shots"
  export WINEPREFIX="$build/wineprefix-gui-$dpi" WINEDEBUG=-all
  rm -rf "$WINEPREFIX"  # a first start: no stored settings, the warning pending
  export XDG_DATA_HOME="$build/wine-xdg-gui"
  mkdir -p "$XDG_DATA_HOME/Trash/files" "$XDG_DATA_HOME/Trash/info"

  local display=":$(( 90 + RANDOM % 9 ))"
  Xvfb "$display" -screen 0 "$screen" -nolisten tcp >/dev/null 2>&1 &
  local xvfb=$!
  trap "kill $xvfb 2>/dev/null || true; wineserver -k 2>/dev/null || true" EXIT
  export DISPLAY="$display"
  sleep 1
  wineboot -i >/dev/null 2>&1 || true
  if [ "$dpi" != 96 ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -w
  fi

  local log="$build/gui_test-$dpi.log"
  wine "$build/gui_test.exe" "$(winepath -w "$shots")" > "$log" 2>&1 &
  local test_pid=$!
  local deadline=$((SECONDS + 300))
  while kill -0 "$test_pid" 2>/dev/null; do
    for ready in "$shots"/*.ready; do
      [ -e "$ready" ] || continue
      local name
      name="$(basename "$ready" .ready)"
      import -window root "$shots/$name.png"
      rm -f "$ready"
      touch "$shots/$name.done"
    done
    if [ $SECONDS -gt $deadline ]; then
      echo "gui test: timed out" >&2
      kill "$test_pid" 2>/dev/null || true
      break
    fi
    sleep 0.2
  done
  wait "$test_pid" || status=$?
  rm -f "$shots"/*.done
  echo "== $dpi DPI, screen $screen"
  cat "$log"
  ls "$shots"/*.png 2>/dev/null | sed 's/^/screenshot: /'
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  trap - EXIT
}

gui_pass "$build/screenshots" 96 1024x768x24
gui_pass "$build/screenshots/144dpi" 144 1920x1080x24
exit $status
