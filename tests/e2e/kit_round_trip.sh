#!/usr/bin/env bash
# The whole trip of a user's own sounds through the command line: sounds made with sox in formats
# the program does not play directly (24-bit FLAC at 48 kHz, AIFF, Ogg Vorbis), an SFZ file naming
# them, `kit import` into a kit, the demo song rendered with that kit to WAV and FLAC, and the song
# exported as MIDI. Checked with readers that are not ours (python3-soundfile, python3-mido): the
# FLAC holds exactly the WAV's samples, the render is not silent and clips nowhere, and the MIDI
# file has a note for every hit of the imported instruments. Usage: kit_round_trip.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
cli="$build/src/tamboro-cli"
python=${PYTHON:-/usr/bin/python3}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Three drums of our own: a falling sine for the kick, noise through a band for the snare and
# high noise for the hi-hat.
mkdir -p "$scratch/kit/sounds"
sox -n -r 48000 -b 24 "$scratch/kit/sounds/kick.flac" synth 0.4 sine 120-45 fade q 0.002 0.4 0.3 gain -12
sox -n -r 44100 -b 16 "$scratch/kit/sounds/snare.aiff" synth 0.25 pinknoise fade q 0.001 0.25 0.2 gain -15 \
  sinc 200-6000
sox -n -r 44100 -C 6 "$scratch/kit/sounds/hat.ogg" synth 0.08 whitenoise fade q 0.001 0.08 0.06 gain -18 \
  sinc 7000
cat >"$scratch/kit/mine.sfz" <<'SFZ'
<control> default_path=sounds/
// Kick
<region> key=36 sample=kick.flac
// Snare
<region> key=38 sample=snare.aiff
// ClsHiat
<region> key=42 sample=hat.ogg
SFZ
"$cli" kit import "$scratch/kit/mine.sfz" -o "$scratch/Mine.dxg" >"$scratch/import.txt" ||
  fail "kit import: $(cat "$scratch/import.txt")"
"$cli" kit info "$scratch/Mine.dxg" >"$scratch/info.txt" || fail "kit info of the imported kit"
for name in Kick Snare ClsHiat; do
  grep -q "$name" "$scratch/info.txt" || fail "the imported kit has no $name: $(cat "$scratch/info.txt")"
done

ws="$scratch/workspace"
mkdir -p "$ws"
cp -r "$build/assets/demo/." "$ws/"
cp "$build/assets/Blank.wav" "$ws/"
for out in mine.wav mine.flac; do
  "$cli" render "$ws/Demo.sng" -o "$scratch/$out" --dir "$ws" --kit "$scratch/Mine.dxg" >/dev/null ||
    fail "render with the imported kit to $out"
done
"$cli" midi "$ws/Demo.sng" -o "$scratch/mine.mid" --dir "$ws" >/dev/null || fail "midi export"

"$python" - "$scratch" <<'PY'
import sys, pathlib
import numpy as np
import soundfile
import mido

scratch = pathlib.Path(sys.argv[1])
wav, _ = soundfile.read(scratch / "mine.wav", dtype="int16")
flac, rate = soundfile.read(scratch / "mine.flac", dtype="int16")
if rate != 44100 or flac.shape != wav.shape or not np.array_equal(flac, wav):
    sys.exit("FAIL: the FLAC render differs from the WAV render")
peak = int(np.abs(wav.astype(np.int32)).max())
if peak < 1000:
    sys.exit(f"FAIL: the render with the imported kit is silent (peak {peak})")
if peak >= 32767:
    sys.exit("FAIL: the render with the imported kit clips")
notes = {}
for track in mido.MidiFile(scratch / "mine.mid").tracks:
    for m in track:
        if m.type == "note_on" and m.velocity > 0:
            notes[m.note] = notes.get(m.note, 0) + 1
for note, name in ((36, "kick"), (38, "snare"), (42, "closed hat")):
    if notes.get(note, 0) == 0:
        sys.exit(f"FAIL: the MIDI file has no {name} notes")
print(f"kit round trip: peak {peak}, {len(wav)} frames, MIDI notes {sum(notes.values())}")
PY
