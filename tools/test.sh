#!/usr/bin/env bash
# Builds everything and runs every test program under Wine on a private Xvfb display.
# Extra arguments go to ctest (for example -R doclist).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build}
export BUILD_DIR=$build
bash "$root/tools/build.sh"
. "$root/tools/wine-env.sh"
wine_env_start
cd "$build"
ctest --output-on-failure --verbose "$@"
