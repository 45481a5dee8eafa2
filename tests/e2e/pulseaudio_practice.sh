#!/usr/bin/env bash
# A practice session through a real sound server, on a busy machine: starts a private PulseAudio
# with a null sink, keeps two busy loops running, records the sink's monitor and plays an 8-step
# click pattern at 150 BPM with `tamboro-cli play --audio default --count-in 1 --speed-trainer
# 75:100:25:1` (one quiet count-in pass, a play at 75 %, a play at 100 %). The recording must hold
# the 16 pattern clicks on the clock's grid (eight steps of 133 ms, then eight of 100 ms), the first
# one a whole count-in pass (8 x 133 ms) after the count-in's first click, each within TOLERANCE
# frames; the player must report no late start or underrun. One take, no retry. Fails loudly when
# PulseAudio cannot run here. Cleans up what it started.
# Usage: pulseaudio_practice.sh BUILD_DIR   (TOLERANCE, default 2 frames, may be set;
#   KEEP_RECORDING=FILE keeps the recording for a closer look)
set -euo pipefail
build=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
cli=${CLI:-$build/src/tamboro-cli}
check=$build/tools/tamboro-clickcheck
tolerance=${TOLERANCE:-2}

for tool in pulseaudio pactl parec; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (apt-get install pulseaudio pulseaudio-utils)"; exit 1; }
done
[ -x "$cli" ] && [ -x "$check" ] || { echo "FAIL: build $cli and $check first"; exit 1; }

source "$(dirname "${BASH_SOURCE[0]}")/lib/private_pulse.sh"

# 100 ms steps at 100 %; the count-in's clicks are quiet, under the click finder's threshold.
"$check" make "$work" 8 150
for _ in 1 2; do
  (while :; do :; done) &
  busy+=($!)
done

parec --device=tamboro_check.monitor --latency-msec=10 --format=s16le --rate=44100 --channels=2 \
  --file-format=wav "$work/recording.wav" &
recorder=$!
sleep 2 # an idle sink stalls its monitor; give the recorder time to run steadily
status=0
"$cli" play Clicks --dir "$work" --kit "$work/Click.dxg" --audio default --count-in 1 --click-level 20 \
  --speed-trainer 75:100:25:1 >"$work/player.log" 2>&1 || status=1
sleep 1
kill -INT "$recorder"
wait "$recorder" 2>/dev/null || true
recorder=""
cat "$work/player.log"
[ -n "${KEEP_RECORDING:-}" ] && cp "$work/recording.wav" "$KEEP_RECORDING"
[ $status -eq 0 ] || { echo "FAIL: the player failed"; exit 1; }
grep -q "^practice: 2 plays, 24 steps" "$work/player.log" || { echo "FAIL: not the planned session"; exit 1; }
grep -q " 0 late starts, 0 underruns" "$work/player.log" || status=1
# The clock ticks in whole milliseconds: 60 / (150 x 0.75) / 4 s is 133 ms, 60 / 150 / 4 s is 100 ms.
"$check" steps "$work/recording.wav" "$tolerance" 1064 133:8 100:8 || status=1
if [ $status -ne 0 ]; then
  echo "FAIL: the count-in or the speed-trainer change is off the grid through PulseAudio"
  exit 1
fi
echo "PASS: count-in and speed-trainer change within $tolerance frames through PulseAudio under load"
