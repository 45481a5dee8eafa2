#!/usr/bin/env bash
# Starts the desktop program with a song named on its command line (a relative path, from the
# folder it was started in) on the offscreen platform, ends it with SIGTERM, and checks that the
# song was opened: it heads the Recent songs list kept in the settings.
# Usage: gui_open_at_start.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
program="$build/src/tamboro"
[ -x "$program" ] || { echo "no desktop program at $program (engine-only build): skipped"; exit 0; }
source_dir=$(cd "$(dirname "$0")/../.." && pwd)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/songs"
cp -r "$source_dir/assets/demo" "$scratch/ws"
cp "$build/assets/Topkit.dxg" "$build/assets/Blank.wav" "$scratch/ws/"
mkdir -p "$scratch/ws/temp"
cp "$scratch/ws/Demo.sng" "$scratch/songs/My Gig.sng"
export XDG_CONFIG_HOME="$scratch/config" QT_QPA_PLATFORM=offscreen

cd "$scratch/songs"
"$program" --dir "$scratch/ws" --audio null "My Gig.sng" >"$scratch/log" 2>&1 &
pid=$!
for _ in $(seq 1 200); do
  [ -f "$scratch/ws/temp/sample32.wav" ] && break
  kill -0 "$pid" 2>/dev/null || { cat "$scratch/log"; echo "FAIL: the program ended during start-up"; exit 1; }
  sleep 0.1
done
sleep 1
kill -TERM "$pid"
wait "$pid" || { cat "$scratch/log"; echo "FAIL: exit status $? after SIGTERM"; exit 1; }

settings="$XDG_CONFIG_HOME/Quillon/Tamboro.conf"
grep -q "^RecentSongs=.*songs/My Gig.sng" "$settings" ||
  { echo "FAIL: the song named on the command line was not opened: $(cat "$settings")"; cat "$scratch/log"; exit 1; }
echo "a song named on the command line opens at start"
