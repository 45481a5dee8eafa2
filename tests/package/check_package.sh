#!/usr/bin/env bash
# Checks the Debian package as a user's machine would see it. Usage: check_package.sh DEB BUILD_DIR
# - the desktop file, the AppStream description and the package itself pass their validators
#   (desktop-file-validate, appstreamcli validate --no-net, lintian without errors);
# - unpacked into a throw-away root (dpkg -x), the installed tamboro-cli renders the installed demo
#   song byte for byte like BUILD_DIR's tamboro-cli renders BUILD_DIR's, and both programs report
#   the version;
# - the installed tamboro, started from the home folder as a launcher starts it, works in
#   ~/Music/Tamboro filled with the demo, and ends cleanly on SIGTERM;
# - with the launcher, file types and icons in a scratch XDG_DATA_HOME, xdg-mime knows a song, a
#   pattern and a kit (by its magic) and names Tamboro's launcher as their program. xdg-mime asks
#   gio, as on a GNOME desktop: it settles ".pat" (also GIMP's) by content as the MIME rules say.
set -euo pipefail
deb=$(realpath "$1")
build=$(cd "$2" && pwd)
app_id=org.quillon.Tamboro
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

size_kb=$(du -k "$deb" | cut -f1)
echo "package: $(basename "$deb"), $size_kb kB"
[ "$size_kb" -lt 10240 ] || fail "the package is 10 MB or more"

root=$scratch/root
dpkg -x "$deb" "$root"
share=$root/usr/share

echo "--- validators"
desktop-file-validate "$share/applications/$app_id.desktop"
appstreamcli validate --no-net "$share/metainfo/$app_id.metainfo.xml"
lintian --fail-on error --tag-display-limit 0 "$deb"

echo "--- installed programs"
for program in tamboro tamboro-cli; do
  [ -f "$share/man/man1/$program.1.gz" ] || fail "no manual page for $program"
done
version=$(dpkg-deb -f "$deb" Version)
# --version answers without a display.
env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/tamboro" --version | grep -qx "Tamboro Pro $version" ||
  fail "tamboro --version does not print $version"
"$root/usr/bin/tamboro-cli" --version | grep -qx "tamboro-cli $version" ||
  fail "tamboro-cli --version does not print $version"

# A working folder from the given asset folder: its demo with its kit and Blank.wav.
render_demo() {
  local cli=$1 assets=$2 ws=$3
  mkdir -p "$ws"
  cp -r "$assets/demo/." "$ws/"
  cp "$assets/Topkit.dxg" "$assets/Blank.wav" "$ws/"
  "$cli" render "$ws/Demo.sng" -o "$ws/demo.wav" --dir "$ws" >/dev/null
  md5sum <"$ws/demo.wav" | cut -d' ' -f1
}
installed=$(render_demo "$root/usr/bin/tamboro-cli" "$share/tamboro" "$scratch/ws-installed")
built=$(render_demo "$build/src/tamboro-cli" "$build/assets" "$scratch/ws-built")
[ "$installed" = "$built" ] || fail "the installed render ($installed) differs from the build's ($built)"
echo "demo render: $installed, the same from the installed package and the build folder"

echo "--- a start from the launcher"
home=$scratch/home
mkdir -p "$home"
# Starts the installed tamboro in folder CWD with ARGS, waits until working folder WS is set up,
# ends it with SIGTERM and expects a clean exit. Usage: start_and_end CWD WS ARGS...
start_and_end() {
  local cwd=$1 ws=$2 pid status=0
  shift 2
  # The program writes the working samples anew at every start; the last one marks the end of it.
  rm -f "$ws/temp/sample32.wav"
  (
    cd "$cwd"
    HOME=$home XDG_CONFIG_HOME=$home/.config QT_QPA_PLATFORM=offscreen \
      exec "$root/usr/bin/tamboro" --audio null "$@" >"$scratch/start.log" 2>&1
  ) &
  pid=$!
  for _ in $(seq 1 200); do
    [ -f "$ws/temp/sample32.wav" ] && break
    kill -0 "$pid" 2>/dev/null || { cat "$scratch/start.log"; fail "tamboro $* ended during start-up"; }
    sleep 0.1
  done
  sleep 0.5
  kill -TERM "$pid"
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || { cat "$scratch/start.log"; fail "tamboro $* ended with status $status after SIGTERM"; }
}
ws=$home/Music/Tamboro
start_and_end "$home" "$ws"
for file in Demo.sng "Rock Beat.pat" Topkit.dxg Blank.wav Panning.dat; do
  [ -f "$ws/$file" ] || fail "the user workspace lacks $file"
done
cmp -s "$ws/Demo.sng" "$share/tamboro/demo/Demo.sng" || fail "the user workspace's Demo.sng is not the demo"
# Hidden folders are the settings and the caches of the libraries; nothing else lands in ~.
extra=$(cd "$home" && find . -mindepth 1 -maxdepth 1 ! -name Music ! -name '.*')
[ -z "$extra" ] || fail "the start from the home folder wrote into it: $extra"
echo "started in ~/Music/Tamboro (seeded with the demo), closed by SIGTERM"

# A song opened from the launcher (tamboro %f) is worked on in its own folder; a kit is loaded,
# which the settings name at shut-down.
songs="$scratch/my songs"
mkdir -p "$songs"
cp "$share/tamboro/demo/"* "$songs/"
cp "$share/tamboro/Topkit.dxg" "$scratch/Other Kit.dxg"
start_and_end "$home" "$songs" "$songs/Demo.sng"
[ -f "$songs/Blank.wav" ] || fail "the song's folder was not made the working folder"
start_and_end "$home" "$ws" "$scratch/Other Kit.dxg"
grep -qx 'Kit=Other Kit.dxg' "$home/.config/Quillon/Tamboro.conf" || fail "the kit named on the command line was not loaded"
echo "a song opens in its folder, a kit named on the command line is loaded"

echo "--- file types and launcher"
data=$scratch/xdg-data
mkdir -p "$data/applications" "$data/mime/packages" "$data/icons"
cp "$share/applications/$app_id.desktop" "$data/applications/"
cp "$share/mime/packages/"*.xml "$data/mime/packages/"
cp -r "$share/icons/hicolor" "$data/icons/"
export XDG_DATA_HOME=$data XDG_DATA_DIRS=/usr/share XDG_CONFIG_HOME=$scratch/xdg-config XDG_CURRENT_DESKTOP=GNOME
update-mime-database "$data/mime"
update-desktop-database "$data/applications"
files=$scratch/files
mkdir -p "$files"
cp "$share/tamboro/demo/Demo.sng" "$files/x.sng"
cp "$share/tamboro/demo/Rock Beat.pat" "$files/x.pat"
cp "$share/tamboro/Topkit.dxg" "$files/x.dxg"
cp "$share/tamboro/Topkit.dxg" "$files/kit-without-extension"
expect_type() {
  local got
  got=$(xdg-mime query filetype "$files/$1")
  [ "$got" = "$2" ] || fail "xdg-mime query filetype $1: $got, not $2"
  echo "$1: $got"
}
expect_type x.sng application/x-tamboro-song
expect_type x.pat application/x-tamboro-pattern
expect_type x.dxg application/x-tamboro-kit
expect_type kit-without-extension application/x-tamboro-kit
for type in application/x-tamboro-song application/x-tamboro-pattern application/x-tamboro-kit; do
  got=$(xdg-mime query default "$type")
  [ "$got" = "$app_id.desktop" ] || fail "xdg-mime query default $type: '$got'"
done
echo "default program of the three types: $app_id.desktop"
for size in 16 32 48 128 256 512; do
  file "$share/icons/hicolor/${size}x$size/apps/$app_id.png" | grep -q "$size x $size" ||
    fail "no $size px icon"
done
echo "package checks passed"
