#!/usr/bin/env bash
# Starts the desktop program in an empty folder on the offscreen platform, ends it with SIGTERM as a
# session end would, and checks that the folder was seeded and the pan table and settings were
# written on the way out. Usage: gui_first_start.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
program="$build/src/tamboro"
[ -x "$program" ] || { echo "no desktop program at $program (engine-only build): skipped"; exit 0; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
ws="$scratch/new folder"
export XDG_CONFIG_HOME="$scratch/config" QT_QPA_PLATFORM=offscreen

"$program" --dir "$ws" --audio null >"$scratch/log" 2>&1 &
pid=$!
# Start-up is over once the last working sample file is there.
for _ in $(seq 1 200); do
  [ -f "$ws/temp/sample32.wav" ] && break
  kill -0 "$pid" 2>/dev/null || { cat "$scratch/log"; echo "FAIL: the program ended during start-up"; exit 1; }
  sleep 0.1
done
sleep 0.5
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
fail() { echo "FAIL: $*"; cat "$scratch/log"; exit 1; }
[ "$status" -eq 0 ] || fail "exit status $status after SIGTERM"

[ -f "$ws/Blank.wav" ] || fail "Blank.wav was not seeded"
for n in $(seq 1 32); do
  cmp -s "$ws/Blank.wav" "$ws/temp/sample$n.wav" || fail "temp/sample$n.wav is not a copy of Blank.wav"
done

expected=$(printf '0\r\n%.0s' $(seq 1 17); printf '4251050\r\n8405056\r\n')
[ "$(cat "$ws/Panning.dat")" = "$expected" ] || fail "Panning.dat: $(od -c "$ws/Panning.dat" | head -5)"

settings="$XDG_CONFIG_HOME/Quillon/Tamboro.conf"
[ -f "$settings" ] || fail "no settings file at $settings"
grep -q '^\[7.0\]' "$settings" || fail "settings lack the 7.0 group"
for line in 'GridIndicator=0' 'MP3=0' 'ShowTip=1'; do
  grep -qx "$line" "$settings" || fail "settings lack $line: $(cat "$settings")"
done
echo "first start in an empty folder: seeded, closed by SIGTERM, pan table and settings written"
