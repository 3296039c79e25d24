#!/usr/bin/env bash
# The Windows lane: installs the cross compilers and Wine when missing, builds
# the Windows program and its tests from the same sources, and runs the unit
# tests and the end-to-end suite against the .exe under Wine. Run as root.
#
# The shipped program is the 32-bit one (build-windows-i686). Wine runs it
# only where the kernel can execute 32-bit x86 code; elsewhere the lane says
# so and runs the same tests against the 64-bit build under wine64.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake make g++ libgtest-dev g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 wine32:i386)
if ! dpkg -s "${packages[@]}" >/dev/null 2>&1; then
  dpkg --add-architecture i386
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${packages[@]}"
fi

# The end-to-end suite is a host program: build it natively (the Windows
# presets point at build-test/tests/skedmill_e2e_tests).
cmake --preset test >/dev/null
cmake --build --preset test --target skedmill_e2e_tests

build_windows() {  # build_windows PRESET ARCH
  rm -rf "build-windows-$2"
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
}

run_under_wine() {  # run_under_wine ARCH WINEARCH
  export WINEPREFIX="$PWD/build-windows-$1/wine-prefix" WINEARCH="$2"
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  # One wine server for the whole run, started before anything else. Debian
  # starts each program's own server with no persistence, so it quits as the
  # program ends, and a program started in that moment can fail without a word.
  local server=/usr/lib/wine/wineserver64
  [[ -x $server ]] || server=/usr/lib/wine/wineserver32
  mkdir -p "$WINEPREFIX"
  "$server" -k 2>/dev/null || true
  "$server" -w
  "$server" -p
  # One prefix for the whole run, made once up front: Wine's first start is slow.
  "${wine_loader}" wineboot --init >/dev/null 2>&1
  local status=0
  ctest --test-dir "build-windows-$1" --output-on-failure || status=$?
  "$server" -k || true
  return $status
}

build_windows windows i686
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  wine_loader=/usr/lib/wine/wine
  run_under_wine i686 win32
else
  echo "windows lane: this machine cannot execute 32-bit x86 code, so Wine cannot run the 32-bit"
  echo "windows lane: program here; checking its imports, then running the lane on the 64-bit build"
  ctest --test-dir build-windows-i686 --output-on-failure -R '^windows_imports$'
  build_windows windows-x64 x86_64
  wine_loader=/usr/lib/wine/wine64
  run_under_wine x86_64 win64
fi
