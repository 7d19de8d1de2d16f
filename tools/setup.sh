#!/bin/sh
# Builds Quadrix and starts it ("start") or runs every test ("test").
# Installs the Debian packages that are missing first (run as root on Debian 12).
set -eu
cd "$(dirname "$0")/.."

packages="cmake ninja-build g++ qt6-base-dev libcli11-dev nlohmann-json3-dev libgtest-dev
  fonts-liberation2 fonts-dejavu-core qt6-translations-l10n"
[ "${1:-}" = test ] && packages="$packages xvfb xauth locales dpkg-dev lintian desktop-file-utils
  clang-format"
missing=""
for package in $packages; do
  dpkg -s "$package" >/dev/null 2>&1 || missing="$missing $package"
done
if [ -n "$missing" ]; then
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
fi

# build DIR CMAKE-OPTIONS...: a Release build unless the options say otherwise.
build() {
  dir="$1"
  shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
  cmake --build "$dir" -j2
}

# timed STEP COMMAND...: runs the command and logs how long the step took.
timed() {
  step="$1"
  shift
  start=$(date +%s)
  "$@"
  echo "== $step: $(($(date +%s) - start)) s"
}

sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
# g++ 12 warns of uninitialized members inside std::regex once the sanitizers instrument it.
sanitizerWarnings="-Wno-maybe-uninitialized"

case "${1:-}" in
start)
  build build -DBUILD_GUI=ON
  exec ./build/shell/quadrix
  ;;
test)
  timed "format check" sh tools/check-format.sh
  timed "GUI build" build build -DBUILD_GUI=ON
  timed "GUI tests" ctest --test-dir build --output-on-failure -j2
  # The core, its tests and the command-line tool once more without Qt, which proves that no
  # core file needs it, under AddressSanitizer and UndefinedBehaviorSanitizer: any report fails
  # its test. The tests labelled "long" or "classic_differential" take minutes under the
  # sanitizers and run in the build above only.
  timed "sanitizer build" build build-sanitize -DBUILD_GUI=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "-DCMAKE_CXX_FLAGS=$sanitizers $sanitizerWarnings" "-DCMAKE_EXE_LINKER_FLAGS=$sanitizers"
  timed "sanitizer tests" env ASAN_OPTIONS=detect_leaks=1 \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure -j2 \
    --label-exclude "^(long|classic_differential)$"
  ;;
*)
  echo "usage: $0 start|test" >&2
  exit 1
  ;;
esac
