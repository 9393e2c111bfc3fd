# Sourced by the scripts that run Windows programs: the project's own Wine prefix inside the
# build folder, the Chinese locale (ANSI code page 936), and a private Xvfb display.
# Call wine_env_start after setting $build; wine_env_stop (installed as an EXIT trap) ends the
# display and every Wine process of the prefix.

export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
# No Mono or Gecko install prompts: nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

wine_env_xvfb_pid=""

wine_env_start() {
  export WINEPREFIX="$build/wineprefix"
  if [ ! -f "$WINEPREFIX/.initialised" ]; then
    echo "wine-env: creating the Wine prefix $WINEPREFIX (once)" >&2
    rm -rf "$WINEPREFIX"
    DISPLAY= wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    touch "$WINEPREFIX/.initialised"
  fi
  if [ "${1:-}" != "--user-display" ] || [ -z "${DISPLAY:-}" ]; then
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    wine_env_xvfb_pid=$!
    local number
    read -r -t 20 number <"$fifo" || { echo "wine-env: Xvfb did not start" >&2; rm -f "$fifo"; return 1; }
    rm -f "$fifo"
    export DISPLAY=":$number"
  fi
  trap wine_env_stop EXIT
}

wine_env_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
  fi
  if [ -n "$wine_env_xvfb_pid" ]; then
    kill "$wine_env_xvfb_pid" 2>/dev/null || true
    wait "$wine_env_xvfb_pid" 2>/dev/null || true
    wine_env_xvfb_pid=""
  fi
}
