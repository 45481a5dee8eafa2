#!/usr/bin/env bash
# Installs the Debian 12 packages Tamboro needs to build, run, package and test. The last two lines
# render the icons, make the manual pages and the Debian package, and check them (desktop file,
# AppStream description, lintian, the file types as a desktop sees them). Idempotent: only missing
# packages are installed. Debian 12's clang-format is version 14, the one the tree is formatted with.
set -euo pipefail

packages=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
  librtaudio-dev libjack-jackd2-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth
  pulseaudio pulseaudio-utils sox lame clang clang-format git
  librsvg2-bin help2man dpkg-dev file desktop-file-utils appstream lintian shared-mime-info xdg-utils
  libfile-mimeinfo-perl libglib2.0-bin)
# Timing feedback: onset detection and resampling of takes; the practice history (SQLite).
packages+=(libaubio-dev libsamplerate0-dev libsqlite3-dev)
# Render export (FLAC, Ogg Vorbis) and the independent readers its tests check FLAC, Ogg and MIDI with.
packages+=(libsndfile1-dev python3 python3-numpy python3-soundfile python3-mido)
# Sounds in: decoding and resampling of sound files, kit archives and drumkit.xml.
packages+=(libsndfile1-dev libsamplerate0-dev libarchive-dev libpugixml-dev)
# The free drum kits the kit-import end-to-end check reads are 143 MB to download (224 MB
# installed): only on request. Without them that check is skipped with a message.
[ "${TAMBORO_DRUMKITS:-0}" = 1 ] && packages+=(hydrogen-drumkits)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
