#!/usr/bin/env bash
# Builds the .deb, unpacks it into a scratch root (dpkg -x, no install) and
# converts the example listing with the packaged program, both ways.
#   tests/package_test.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "$1")

(cd "$build" && cpack -G DEB >/dev/null)
package=$(ls "$build"/skedmill_*.deb)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$package" "$root"
test -x "$root/usr/bin/skedmill"
test -f "$root/usr/share/man/man1/skedmill.1"* 

cp examples/tv.txt "$root/tv.txt"
output=$("$root/usr/bin/skedmill" "$root/tv" | tr -d '\r')
[[ "$output" == *".ndx and .pdt files created success." ]] || { echo "FAILED generate: $output"; exit 1; }
mv "$root/tv.txt" "$root/original.txt"
output=$("$root/usr/bin/skedmill" "$root/tv" /extract | tr -d '\r')
[[ "$output" == *".txt file created success." ]] || { echo "FAILED extract: $output"; exit 1; }
cmp "$root/original.txt" "$root/tv.txt"
echo "$(basename "$package"): the packaged program converts the example listing both ways"

# The Windows .zip, when its build directory is given: skedmill.exe at its top.
if [[ $# -ge 2 ]]; then
  windows_build=$(realpath "$2")
  (cd "$windows_build" && cpack -G ZIP >/dev/null)
  zip=$(ls "$windows_build"/skedmill-*-win32.zip)
  cmake -E tar tf "$zip" | grep -qx 'skedmill.exe' || { echo "FAILED: no skedmill.exe in $zip"; exit 1; }
  echo "$(basename "$zip"): holds skedmill.exe"
fi
