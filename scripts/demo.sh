#!/usr/bin/env bash
# The main job: a fresh demo machine in a temporary prefix, the DVR restore of the demo package onto
# it with tavoctl, and what changed on the machine. Usage: scripts/demo.sh
# TAVO_BUILD_DIR names another build folder than the default preset's.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
if [ -n "${TAVO_BUILD_DIR:-}" ]; then
  build="$TAVO_BUILD_DIR"
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
else
  build=build/default
  cmake --preset default >/dev/null
fi
cmake --build "$build" --target demo_package >/dev/null
package="$(cd "$build/demo/package" && pwd)"

prefix="$(mktemp -d "${TMPDIR:-/tmp}/tavo-demo.XXXXXX")"
cp -a demo/machine/. "$prefix/"
"$package/tavoctl" reg import demo/machine/registry.reg --prefix "$prefix"

# One line per file: its checksum and its Windows name (drive_c/a/b -> C:\a\b).
snapshot() {
  (cd "$prefix" && find drive_c -type f -print0 | sort -z | xargs -0 sha256sum) |
    sed -e 's#  drive_c/#  C:/#' -e 's#/#\\#g'
}
before="$(snapshot)"

echo "Demo machine: $prefix"
echo "Demo package: $package"
echo "\$ tavoctl restore DVR --all --package $package --prefix $prefix --yes"
status=0
"$package/tavoctl" restore DVR --all --package "$package" --prefix "$prefix" --yes || status=$?
after="$(snapshot)"

echo
echo "What changed on the machine:"
join -j 2 -a 1 -a 2 -e '-' -o '0,1.1,2.1' <(sort -k 2 <<<"$before") <(sort -k 2 <<<"$after") |
  awk '$2 == "-" { print "  added    " $1; next }
       $3 == "-" { print "  removed  " $1; next }
       $2 != $3  { print "  changed  " $1 }'
echo
echo "The window on the same demo: TAVO_PREFIX=$prefix $package/Tavo"
exit "$status"
