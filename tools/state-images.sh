#!/usr/bin/env bash
# Draws the document list with a row in each of the four states and writes
# $BUILD_DIR/state-images.png: the list as the screen shows it, and below it the four state
# images enlarged eight times.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build}
export BUILD_DIR=$build
bash "$root/tools/build.sh" >/dev/null
. "$root/tools/wine-env.sh"
wine_env_start

work=$(mktemp -d)
trap 'rm -rf "$work"; wine_env_stop' EXIT
wine "$build/tools/state_demo/state_demo.exe" "$(winepath -w "$work")"
# Eight white rows above and below the enlarged images; -append lines both up on the left.
convert "$work/list.bmp" \( "$work/states.bmp" -scale 800% -background white -gravity north \
  -splice 0x8 -gravity south -splice 0x8 +repage \) -background white -gravity west -append \
  +repage "$build/state-images.png"
echo "$build/state-images.png"
