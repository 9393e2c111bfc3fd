#!/usr/bin/env bash
# Builds the program and starts it under Wine on the user's display. Where there is no display,
# it starts a private Xvfb, takes a screenshot of the window into a PNG file, prints its name
# and closes the program. SCREENSHOT=path chooses the file (default build/screenshot.png).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build}
export BUILD_DIR=$build
bash "$root/tools/build.sh" >/dev/null
. "$root/tools/wine-env.sh"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  wine_env_start --user-display
  # Leave the prefix's wineserver alone when the program ends on its own.
  trap - EXIT
  exec wine "$build/quorvelword.exe"
fi

wine_env_start
shot=${SCREENSHOT:-$build/screenshot.png}
wine "$build/quorvelword.exe" &
program=$!
window=""
for _ in $(seq 1 100); do
  window=$(xdotool search --onlyvisible --name 'OFFICE' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then
  echo "run: the window did not appear" >&2
  exit 1
fi
sleep 1.5 # the first paint
import -window "$window" "$shot"
xdotool key --window "$window" Escape || true
wait "$program" || true
echo "$shot"
