#!/usr/bin/env bash
# Renders the shipped demo song with the built default kit and Blank.wav and compares the WAV's
# MD5 with the one this build must give: the render engine and the default kit stay byte-exact.
# When the default kit's sound is changed on purpose, the new MD5 goes here.
# Usage: demo_render.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
expected=5d071e89710f58025715ab8743746dbf

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -r "$source_dir/assets/demo" "$scratch/ws"
cp "$build/assets/Topkit.dxg" "$build/assets/Blank.wav" "$scratch/ws/"
"$build/src/tamboro-cli" render "$scratch/ws/Demo.sng" -o "$scratch/demo.wav" --dir "$scratch/ws" >/dev/null
actual=$(md5sum "$scratch/demo.wav" | cut -d' ' -f1)
[ "$actual" = "$expected" ] || { echo "FAIL: the demo render's MD5 is $actual, expected $expected"; exit 1; }
echo "demo render: MD5 $actual as expected"
