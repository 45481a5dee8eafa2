#!/usr/bin/env bash
# Timing feedback through a real sound server: starts a private PulseAudio whose null sink's monitor
# is the default input, so whatever Tamboro plays comes back as its input. `tamboro-cli calibrate`
# measures that round trip; `tamboro-cli play --input-device default --feedback` then plays a
# 16-step pattern of plucks (one on every step, synthesised here) while recording the input, with
# the calibrated latency. The notes found must be the plucks played: one per step, each within
# TOLERANCE ms (default 3) of its step. One take, no retry; two busy loops keep both cores loaded.
# Fails loudly when PulseAudio cannot run here. Cleans up what it started.
# Usage: pulseaudio_input.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
cli=${CLI:-$build/src/tamboro-cli}
check=$build/tools/tamboro-clickcheck
tolerance=${TOLERANCE:-3}
steps=16

for tool in pulseaudio pactl python3; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (apt-get install pulseaudio pulseaudio-utils python3)"; exit 1; }
done
[ -x "$cli" ] && [ -x "$check" ] || { echo "FAIL: build $cli and $check first"; exit 1; }

source "$(dirname "${BASH_SOURCE[0]}")/lib/private_pulse.sh"
pactl set-default-source tamboro_check.monitor

# The pattern of clicks on every step, played with a kit whose one sound is a plucked note (a
# decaying tone and noise): the onset detector listens for notes, not for the square click.
"$check" make "$work" "$steps" 120
python3 - "$work/Pluck.wav" <<'PY'
import math, random, struct, sys, wave
random.seed(7)
rate = 44100
frames = []
for i in range(int(0.08 * rate)):
    t = i / rate
    v = 0.5 * math.exp(-t / 0.012) * (0.6 * math.sin(2 * math.pi * 1500 * t) + 0.4 * (2 * random.random() - 1))
    frames.append(int(max(-1.0, min(1.0, v)) * 32767))
with wave.open(sys.argv[1], "wb") as out:
    out.setnchannels(1)
    out.setsampwidth(2)
    out.setframerate(rate)
    out.writeframes(struct.pack("<%dh" % len(frames), *frames))
PY
(cd "$work" && "$cli" kit make -o Pluck.dxg Click=Pluck.wav >/dev/null)

for _ in 1 2; do
  (while :; do :; done) &
  busy+=($!)
done

timeout 60 "$cli" calibrate --audio default --input-device default >"$work/calibrate.log" 2>&1 ||
  { cat "$work/calibrate.log"; echo "FAIL: calibration through PulseAudio"; exit 1; }
cat "$work/calibrate.log"
latency=$(sed -n 's/^input latency \([0-9.]*\) ms.*/\1/p' "$work/calibrate.log")
[ -n "$latency" ] || { echo "FAIL: calibration printed no latency"; exit 1; }

timeout 60 "$cli" play Clicks --dir "$work" --kit "$work/Pluck.dxg" --audio default --input-device default \
  --feedback "$work/notes.csv" --latency "$latency" >"$work/play.log" 2>&1 ||
  { cat "$work/play.log"; echo "FAIL: play with feedback through PulseAudio"; exit 1; }
grep -v '^step ' "$work/play.log"

status=0
grep -q " 0 late starts, 0 underruns" "$work/play.log" || { echo "late starts or underruns"; status=1; }
notes=$(tail -n +2 "$work/notes.csv" | wc -l)
if [ "$notes" -ne "$steps" ]; then
  echo "found $notes notes, played $steps plucks"
  status=1
fi
# Each played step found once, in order, within the tolerance.
awk -F, -v n="$steps" -v tol="$tolerance" 'NR > 1 {
    if ($2 != NR - 1) { printf "note %d is on step %d\n", NR - 1, $2; bad = 1 }
    o = $3 < 0 ? -$3 : $3
    if (o > tol) { printf "step %d: %+.2f ms off\n", $2, $3; bad = 1 }
    if (o > worst) worst = o
  } END { printf "worst offset %.2f ms over %d notes\n", worst, NR - 1; exit bad }' "$work/notes.csv" || status=1
if [ $status -ne 0 ]; then
  cat "$work/notes.csv"
  echo "FAIL: the played plucks were not found as notes at the calibrated latency through PulseAudio"
  exit 1
fi
echo "PASS: $steps plucks found as notes within $tolerance ms after a calibrated latency of $latency ms through PulseAudio under load"
