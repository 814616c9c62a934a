#!/usr/bin/env bash
# Installs what building, running and testing Tarvex needs on Debian/Ubuntu, and
# nothing that is already there. Sourced by run.sh and test.sh.
# (sourced: leaves the caller's shell options alone)

tarvex_install_deps() {
  local want=(cmake ninja-build g++ clang libgtest-dev libgmock-dev libbenchmark-dev
              g++-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-win32 mingw-w64-tools wine64 wine xvfb x11-utils xauth
              fonts-wqy-microhei imagemagick locales zip unzip
              pkg-config libxcb1-dev libxcb-res0-dev libxcb-damage0-dev icewm qt6-base-dev libfontconfig-dev xdotool fonts-noto-cjk)
  local missing=()
  for p in "${want[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "== installing: ${missing[*]}"
    local sudo=""
    [[ $(id -u) -eq 0 ]] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
  # Wine runs the program under the Chinese code page (936) through this locale.
  if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    local sudo=""
    [[ $(id -u) -eq 0 ]] || sudo="sudo"
    $sudo sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
  fi
}
