#!/usr/bin/env bash
# Installs what is missing, builds Tamboro in Release and starts it in the demo workspace.
# Extra arguments go to the program, e.g.: scripts/run.sh --audio null
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
# Only what is started: the program, the command-line program that makes the default kit, and the
# assets (no tests, benchmarks or fuzzers), so a first start on a fresh machine is quick.
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAMBORO_TESTS=OFF -DTAMBORO_BENCH=OFF >/dev/null
cmake --build build-release --target tamboro tamboro-cli tamboro_assets

# The demo workspace is copied once, so the user's edits never touch the repository.
workspace=build-release/workspace
if [ ! -d "$workspace" ]; then
  mkdir -p "$workspace"
  cp -r assets/demo/. "$workspace/"
fi

args=(--dir "$workspace")
# Without a sound card, play into the null device instead of failing at start-up.
if ! ls /dev/snd/pcm* >/dev/null 2>&1 && ! pactl info >/dev/null 2>&1; then
  args+=(--audio null)
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: starting under Xvfb (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" build-release/src/tamboro "${args[@]}" "$@"
fi
exec build-release/src/tamboro "${args[@]}" "$@"
