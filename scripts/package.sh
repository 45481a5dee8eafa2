#!/usr/bin/env bash
# Builds the Debian package build-package/tamboro_<version>_<arch>.deb with CPack.
# Usage: scripts/package.sh [BUILD_DIR]
# Without BUILD_DIR it makes a Release build of the programs and their data in build-package/build
# (no tests). With BUILD_DIR (a Release build such as the test command's build-test) it packages
# that build, so the package holds the very programs that were tested.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
build=${1:-build-package/build}
if [ $# -eq 0 ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAMBORO_TESTS=OFF -DTAMBORO_BENCH=OFF >/dev/null
fi
grep -q '^CMAKE_BUILD_TYPE:STRING=Release$' "$build/CMakeCache.txt" ||
  { echo "$build is not a Release build"; exit 1; }
# What the package holds: the two programs, the assets, the icons, the manual pages.
cmake --build "$build" --target tamboro tamboro-cli tamboro_assets tamboro_packaging
rm -f build-package/tamboro_*.deb
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$PWD/build-package" >/dev/null
rm -rf build-package/_CPack_Packages
package=$(ls build-package/tamboro_*.deb)
echo "$package ($(du -k "$package" | cut -f1) kB)"
