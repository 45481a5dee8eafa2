#!/usr/bin/env bash
# Live timing through a real sound server, on a busy machine: starts a private PulseAudio with a
# null sink, keeps two busy loops running, records the sink's monitor, plays a 16-step click
# pattern with `tamboro-cli play --repeat --seconds 60 --audio default` once and requires every
# click within 2 frames of the tempo grid, none missing, and no late start or underrun. As a
# control, the same clicks rendered to WAV by `tamboro-cli render` are played with `paplay` through
# the same server and recorder; its result is reported beside ours, so that a fault of the server
# or recorder is told apart from one of the player. No take is repeated. Fails loudly when
# PulseAudio cannot run here; never passes without measuring. Cleans up what it started.
# Usage: pulseaudio_clicks.sh BUILD_DIR
#   SECONDS_PER_TAKE (60), TAKES (1), BPM (120), TOLERANCE (2 frames) may be set in the environment.
set -euo pipefail
build=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
cli=${CLI:-$build/src/tamboro-cli} # CLI= measures another build's player with this build's tools
check=$build/tools/tamboro-clickcheck
blank=$build/tools/tamboro-blank-wav
steps=16
bpm=${BPM:-120}
seconds=${SECONDS_PER_TAKE:-60}
takes=${TAKES:-1}
tolerance=${TOLERANCE:-2}

for tool in pulseaudio pactl parec paplay; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (apt-get install pulseaudio pulseaudio-utils)"; exit 1; }
done
[ -x "$cli" ] && [ -x "$check" ] && [ -x "$blank" ] || { echo "FAIL: build $cli, $check and $blank first"; exit 1; }

source "$(dirname "${BASH_SOURCE[0]}")/lib/private_pulse.sh"

"$check" make "$work" "$steps" "$bpm"
# The control: the same clicks for the same time, rendered offline as a song of the pattern.
repeats=$(awk -v s="$seconds" -v b="$bpm" -v n="$steps" 'BEGIN { print int(s * b * 4 / 60 / n + 0.999) }')
for _ in $(seq "$repeats"); do printf 'Clicks\r\n'; done >"$work/Clicks.sng"
"$blank" "$work/Blank.wav"
"$cli" render "$work/Clicks.sng" -o "$work/control.wav" --dir "$work" --kit "$work/Click.dxg" >/dev/null
expected=$((repeats * steps))

# Two loops that keep both cores busy for the whole check.
for _ in 1 2; do
  (while :; do :; done) &
  busy+=($!)
done

# record NAME COMMAND...: records the monitor while COMMAND plays, then measures the clicks and
# prints "worst W frames (N clicks)" in $work/NAME.result; returns 1 when they are off the grid.
record() {
  local name=$1
  shift
  parec --device=tamboro_check.monitor --latency-msec=10 --format=s16le --rate=44100 --channels=2 \
    --file-format=wav "$work/$name-recording.wav" &
  recorder=$!
  sleep 2 # an idle sink stalls its monitor; give the recorder time to run steadily
  "$@" >"$work/$name.log" 2>&1 || { cat "$work/$name.log"; kill -INT "$recorder"; wait "$recorder" || true; recorder=""; return 1; }
  sleep 1
  kill -INT "$recorder"
  wait "$recorder" 2>/dev/null || true
  recorder=""
  local status=0
  "$check" check "$work/$name-recording.wav" "$bpm" 0 "$tolerance" >"$work/$name.check" || status=1
  local found worst
  found=$(sed -n 's/^\([0-9]*\) clicks.*/\1/p' "$work/$name.check" | head -n 1)
  worst=$(sed -n 's/.*worst \([0-9.]*\) frames.*/\1/p' "$work/$name.check" | head -n 1)
  echo "worst ${worst:-?} frames (${found:-0} clicks)" >"$work/$name.result"
  # The player stops at the time limit: the last click may fall on either side of it.
  if [ "${found:-0}" -lt $((expected - 1)) ]; then
    echo "  ($name: $found clicks, expected $((expected - 1)) or more)" >>"$work/$name.result"
    status=1
  fi
  [ $status -eq 0 ] || sed -n '2,12p' "$work/$name.check" >>"$work/$name.result"
  return $status
}

failed=0
for take in $(seq "$takes"); do
  ours=0
  control=0
  record player "$cli" play Clicks --dir "$work" --kit "$work/Click.dxg" --bpm "$bpm" --repeat \
    --seconds "$seconds" --audio default || ours=1
  summary=$(grep -m1 '^played' "$work/player.log" || true)
  # The player counts starts that missed their frame and output underruns; both must be zero.
  if ! grep -q " 0 late starts, 0 underruns" "$work/player.log"; then ours=1; fi
  record control paplay "$work/control.wav" || control=1
  echo "take $take: tamboro $(head -n 1 "$work/player.result"), paplay $(head -n 1 "$work/control.result")"
  echo "  $summary"
  if [ $ours -ne 0 ]; then
    tail -n +2 "$work/player.result"
    if [ $control -ne 0 ]; then
      echo "  the control failed too: the server or the recorder moved clicks in this take"
      tail -n +2 "$work/control.result"
    fi
    failed=1
  fi
done
if [ $failed -ne 0 ]; then
  echo "FAIL: clicks off the grid (more than $tolerance frames) through PulseAudio"
  exit 1
fi
echo "PASS: every click within $tolerance frames of the grid through PulseAudio under load, $takes take(s)"
