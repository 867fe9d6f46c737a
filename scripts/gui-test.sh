#!/usr/bin/env bash
# Runs the native window under Wine and Xvfb: gui_test.exe drives vanbrisk.exe
# as a user would, and at each page waits while this script takes a
# screenshot with ImageMagick's import (build/windows/screenshots/*.png).
set -euo pipefail
cd "$(dirname "$0")/.."
build="$PWD/build/windows"
shots="$build/screenshots"
rm -rf "$shots" && mkdir -p "$shots"
export WINEPREFIX="$build/wineprefix-gui" WINEDEBUG=-all
rm -rf "$WINEPREFIX"  # a first start: no stored settings, the warning pending
export XDG_DATA_HOME="$build/wine-xdg-gui"
mkdir -p "$XDG_DATA_HOME/Trash/files" "$XDG_DATA_HOME/Trash/info"

display=":$(( 90 + RANDOM % 9 ))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; wineserver -k 2>/dev/null || true' EXIT
export DISPLAY="$display"
sleep 1
wineboot -i >/dev/null 2>&1 || true

wine "$build/gui_test.exe" "$(winepath -w "$shots")" > "$build/gui_test.log" 2>&1 &
test_pid=$!
deadline=$((SECONDS + 300))
while kill -0 "$test_pid" 2>/dev/null; do
  for ready in "$shots"/*.ready; do
    [ -e "$ready" ] || continue
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
status=0
wait "$test_pid" || status=$?
rm -f "$shots"/*.done
cat "$build/gui_test.log"
ls "$shots"/*.png 2>/dev/null | sed 's/^/screenshot: /'
exit $status
