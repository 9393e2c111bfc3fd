#!/usr/bin/env bash
# Start-up benchmark (not a test): start-up time, working set and GDI/USER objects of the
# program against a bare one-window Win32 program, medians over RUNS runs (default 10).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build}
export BUILD_DIR=$build
bash "$root/tools/build.sh" >/dev/null
. "$root/tools/wine-env.sh"
wine_env_start
wine "$build/tools/bench/startup_bench.exe" "${RUNS:-10}" \
  "$(winepath -w "$build/quorvelword.exe")" "$(winepath -w "$build/tools/bench/bare_window.exe")"
