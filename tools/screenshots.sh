#!/bin/sh
# Takes the README's screenshots (docs/*.png) from the real windows under a virtual X server.
# Usage: sh tools/screenshots.sh [BUILD_DIR [OTHER_WINDOWS_DIR]]   (needs xvfb-run: apt-get install
# xvfb xauth). With OTHER_WINDOWS_DIR, the windows the README does not show are saved there too.
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
cmake -S . -B "$build" -G Ninja -DBUILD_GUI=ON >/dev/null
cmake --build "$build" -j2 --target quadrix-screenshots
mkdir -p docs
# A fixed locale keeps the shots alike on every machine: the program's own, Portuguese.
LC_ALL=${SCREENSHOT_LOCALE:-pt_BR.UTF-8} QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build/tools/ui/screenshots/quadrix-screenshots" \
  examples docs ${2:+"$2"}
