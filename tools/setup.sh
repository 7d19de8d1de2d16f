#!/bin/sh
# Builds Quadrix and starts it ("start") or runs every test ("test").
# Installs the Debian packages that are missing first (run as root on Debian 12).
set -eu
cd "$(dirname "$0")/.."

packages="cmake ninja-build g++ qt6-base-dev libcli11-dev nlohmann-json3-dev libgtest-dev
  fonts-liberation2 fonts-dejavu-core qt6-translations-l10n"
[ "${1:-}" = test ] && packages="$packages xvfb xauth locales dpkg-dev lintian desktop-file-utils"
missing=""
for package in $packages; do
  dpkg -s "$package" >/dev/null 2>&1 || missing="$missing $package"
done
if [ -n "$missing" ]; then
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
fi

build() {
  cmake -S . -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release "$2"
  cmake --build "$1" -j2
}

case "${1:-}" in
start)
  build build -DBUILD_GUI=ON
  exec ./build/shell/quadrix
  ;;
test)
  # The headless build proves that no core file needs Qt.
  build build-headless -DBUILD_GUI=OFF
  (cd build-headless && ctest --output-on-failure -j2)
  build build -DBUILD_GUI=ON
  cd build && ctest --output-on-failure -j2
  ;;
*)
  echo "usage: $0 start|test" >&2
  exit 1
  ;;
esac
