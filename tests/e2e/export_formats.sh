#!/usr/bin/env bash
# Takes the demo song out of Tamboro from the command line, as a user taking a groove to a DAW
# would, and checks every file with readers that are not ours (Debian's python3-soundfile, which
# decodes through libsndfile/libFLAC/libvorbis, and python3-mido): the WAV render is the known
# bytes, the FLAC holds exactly its samples, the Ogg Vorbis decodes to the same length and sound,
# and the MIDI file holds one note per hit of the song's pattern files, a tempo at every Play List
# entry, and the note map's override. Usage: export_formats.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
cli="$build/src/tamboro-cli"
python=${PYTHON:-/usr/bin/python3}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

ws="$scratch/workspace"
mkdir -p "$ws"
cp -r "$build/assets/demo/." "$ws/"
cp "$build/assets/Topkit.dxg" "$build/assets/Blank.wav" "$ws/"

for out in demo.wav demo.flac demo.OGG; do
  "$cli" render "$ws/Demo.sng" -o "$scratch/$out" --dir "$ws" >/dev/null || fail "render to $out"
done
printf 'Kick=35\n' >"$scratch/daw.map"
"$cli" midi "$ws/Demo.sng" -o "$scratch/demo.mid" --dir "$ws" --map "$scratch/daw.map" >/dev/null || fail "midi export"
if "$cli" render "$ws/Demo.sng" -o "$scratch/demo.mp4" --dir "$ws" 2>"$scratch/err"; then
  fail "an .mp4 output was accepted"
fi
grep -q '".mp4"' "$scratch/err" || fail "the refusal does not name the extension: $(cat "$scratch/err")"
[ ! -e "$scratch/demo.mp4" ] || fail "a refused render left a file"

# The WAV render's known bytes with the shipped kit (the figure demo_render.sh checks): choosing the
# format by extension must not change a WAV.
[ "$(md5sum <"$scratch/demo.wav" | cut -d' ' -f1)" = 5d071e89710f58025715ab8743746dbf ] || fail "demo.wav changed"

"$python" - "$scratch" "$ws" <<'PY'
import sys, pathlib
import numpy as np
import soundfile
import mido

scratch, ws = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])

def fail(message):
    print("FAIL:", message)
    sys.exit(1)

wav, wav_rate = soundfile.read(scratch / "demo.wav", dtype="int16")
flac, flac_rate = soundfile.read(scratch / "demo.flac", dtype="int16")
if soundfile.info(scratch / "demo.flac").format != "FLAC" or flac_rate != 44100:
    fail("demo.flac is not 44100 Hz FLAC")
if flac.shape != wav.shape or not np.array_equal(flac, wav):
    fail("the FLAC samples differ from the WAV samples")
ogg, ogg_rate = soundfile.read(scratch / "demo.OGG", dtype="float32")
info = soundfile.info(scratch / "demo.OGG")
if (info.format, info.subtype, ogg_rate) != ("OGG", "VORBIS", 44100) or ogg.shape != wav.shape:
    fail(f"demo.OGG: {info.format} {info.subtype} {ogg_rate} Hz {ogg.shape}, the WAV {wav.shape}")
reference = wav.astype(np.float32) / 32768
error = np.sqrt(np.mean((ogg - reference) ** 2)) / np.sqrt(np.mean(reference ** 2))
if error > 0.2:
    fail(f"the Ogg Vorbis sound is {error:.2f} of the WAV's level away from it")

# The song's hits, counted from the files themselves: every non-empty channel cell of the step
# rows, times the pattern's loops, for every Play List entry.
def lines(path):
    return path.read_bytes().decode("latin-1").replace("\r\n", "\n").split("\n")
song = lines(ws / "Demo.sng")
entries = [e for e in song[: next((i for i, e in enumerate(song) if e.startswith("<*")), len(song))] if e]
hits = kicks = 0
for entry in entries:
    pattern = lines(ws / f"{entry}.pat")
    length = int(pattern[2])
    loops = max(int(pattern[7 * (length + 3) + 1]), 1)
    for row in range(2, length + 2):
        for channel in range(1, 7):
            cell = pattern[7 * row + channel]
            if cell[:10].strip():
                hits += loops
                kicks += loops if cell[:10].strip() == "Kick" else 0

midi = mido.MidiFile(scratch / "demo.mid")
if (midi.type, midi.ticks_per_beat, len(midi.tracks)) != (1, 480, 2):
    fail(f"MIDI type {midi.type}, {midi.ticks_per_beat} ticks, {len(midi.tracks)} tracks")
notes = [m for m in midi.tracks[1] if m.type == "note_on" and m.velocity > 0]
tempos = [m for m in midi.tracks[0] if m.type == "set_tempo"]
if len(notes) != hits:
    fail(f"{len(notes)} MIDI notes for {hits} hits")
if len(tempos) != len(entries):
    fail(f"{len(tempos)} tempo events for {len(entries)} Play List entries")
if {m.channel for m in notes} != {9}:
    fail("notes outside channel 10")
if sum(1 for m in notes if m.note == 35) != kicks or any(m.note == 36 for m in notes):
    fail("the map file's Kick=35 was not applied to every kick")
if not {m.velocity for m in notes} <= {round(127 * 10 ** (-5 * level / 40)) for level in range(0, 10)}:
    fail(f"velocities off the level law: {sorted({m.velocity for m in notes})}")
ticks, now = [], 0
for m in midi.tracks[1]:
    now += m.time
    if m.type == "note_on" and m.velocity > 0:
        ticks.append(now)
if any(t % 120 for t in ticks):
    fail("a note off the step grid")
print(f"FLAC == WAV ({wav.shape[0]} frames), Ogg error {error:.3f}, {hits} hits == MIDI notes, {len(tempos)} tempos")
PY
echo "export formats: OK"
