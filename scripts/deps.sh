#!/usr/bin/env bash
# Installs the Debian packages a command needs, or says how to.
# Usage: scripts/deps.sh run|test|windows|web|browsers|roots
set -euo pipefail

# The program alone (x11-utils: xdpyinfo, which scripts/run asks about the display).
run_packages=(cmake ninja-build g++ pkg-config freeglut3-dev libglu1-mesa-dev libgl-dev
  libgl1-mesa-dri libsdl2-dev libx11-dev x11-utils)
# Every package name here is the same in Debian 12 and 13: libclang-rt-dev is
# the runtime (libFuzzer, the sanitizers) of the release's default clang.
# The last four: the GL layer's frame test over EGL.
test_packages=("${run_packages[@]}" libgtest-dev libbenchmark-dev libxtst-dev xvfb xauth
  apitrace imagemagick clang libclang-rt-dev desktop-file-utils dpkg-dev file man-db groff-base
  lintian appstream libegl-dev libgles-dev libopengl-dev libegl-mesa0)
# The Windows build: MinGW-w64, Wine to run what it makes, NSIS for the
# installer; dpkg-dev unpacks freeglut's Debian source, libgtest-dev ships
# GoogleTest's.
windows_packages=(cmake ninja-build pkg-config g++-mingw-w64-x86-64 wine wine64 nsis
  dpkg-dev libgtest-dev zip unzip)
# The Windows package check drives what it installs in Xvfb and looks at it.
windows_packages+=(xvfb xdotool x11-utils imagemagick)
# The browser build: Debian's Emscripten (it brings node).
web_packages=(cmake ninja-build emscripten)
# The browsers the page is checked in: Chromium headless; Firefox ESR and
# WebKitGTK (webkit2gtk-driver: WebKitWebDriver, and with it
# libwebkit2gtk-4.1-0's MiniBrowser) in Xvfb; ImageMagick reads the pictures;
# npm installs the drivers' node modules.
browser_packages=(chromium firefox-esr webkit2gtk-driver xvfb imagemagick npm)
# scripts/in-debian: Debian roots made from Debian's packages, and the clone
# it puts in them.
roots_packages=(mmdebstrap git)

case "${1:-}" in
  run) wanted=("${run_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  windows) wanted=("${windows_packages[@]}") ;;
  web) wanted=("${web_packages[@]}") ;;
  browsers) wanted=("${browser_packages[@]}") ;;
  roots) wanted=("${roots_packages[@]}") ;;
  *) echo "usage: $0 run|test|windows|web|browsers|roots" >&2; exit 2 ;;
esac

# A package counts as there when an installed one provides it (a node.js from
# outside Debian may carry its own npm and conflict with Debian's).
provided=" $(dpkg-query -W -f='${db:Status-Status} ${Provides}\n' 2>/dev/null |
  sed -n 's/^installed //p' | tr ',' '\n' | sed 's/ *(.*//; s/^ *//' | tr '\n' ' ') "
missing=()
for package in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [ "$status" = installed ] || [[ "$provided" == *" $package "* ]] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

line="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing Debian packages. Install them, then run this again:"
  echo "  sudo apt-get update && sudo $line"
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# shellcheck disable=SC2086
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
