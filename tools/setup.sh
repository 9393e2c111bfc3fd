#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine; does nothing when all is there.
set -euo pipefail

packages=(cmake make g++-mingw-w64-i686 mingw-w64-tools wine wine32:i386 wine64 libwine-dev
          xvfb xauth xdotool x11-utils imagemagick fonts-wqy-microhei locales googletest
          python3 clang-format)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  missing=(arch)
fi
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" = 0 ] || sudo=sudo
  echo "setup: installing ${missing[*]}" >&2
  $sudo dpkg --add-architecture i386
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  sudo=""
  [ "$(id -u)" = 0 ] || sudo=sudo
  echo "setup: generating the zh_CN.UTF-8 locale" >&2
  $sudo sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi
