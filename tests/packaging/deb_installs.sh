#!/bin/sh
# Builds the Debian package from a build tree, unpacks it into a scratch root and checks that
# the programs, the library texts, the desktop entry and the icon land where they belong.
# Usage: deb_installs.sh BUILD_DIR CPACK
set -eu
build=$1
cpack=$2
if ! command -v dpkg-deb >/dev/null 2>&1; then
  echo "SKIPPED: dpkg-deb is not installed, so no Debian package can be built or unpacked"
  exit 77
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

if ! (cd "$build" && "$cpack" --config CPackConfig.cmake -G DEB -B "$scratch/out") \
    >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"
  exit 1
fi
deb=$(ls "$scratch"/out/quadrix_*.deb)
dpkg-deb -x "$deb" "$scratch/root"

failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}
for program in quadrix quadrix-cli; do
  [ -x "$scratch/root/usr/bin/$program" ] || fail "usr/bin/$program is missing or not executable"
done
for file in usr/bin/GSi.s usr/bin/GSr.s usr/bin/WS.s usr/share/applications/quadrix.desktop \
    usr/share/icons/hicolor/scalable/apps/quadrix.svg; do
  [ -s "$scratch/root/$file" ] || fail "$file is missing or empty"
done
unexpected=$(cd "$scratch/root" && find . -type f ! -path './usr/bin/*' ! -path './usr/share/*')
[ -z "$unexpected" ] || fail "files outside /usr/bin and /usr/share: $unexpected"

entry="$scratch/root/usr/share/applications/quadrix.desktop"
for line in '[Desktop Entry]' 'Type=Application' 'Name=Quadrix' 'Exec=quadrix' 'Icon=quadrix' \
    'Categories=Office;Engineering;'; do
  grep -qxF "$line" "$entry" || fail "desktop entry lacks the line $line"
done
grep -q '^Comment=..' "$entry" || fail "desktop entry has no comment"

[ "$(dpkg-deb -f "$deb" Package)" = quadrix ] || fail "package name is not quadrix"
[ "$(dpkg-deb -f "$deb" Maintainer)" = Quadrix ] || fail "maintainer is not Quadrix"
depends=$(dpkg-deb -f "$deb" Depends)
for runtime in libqt6widgets6 libqt6printsupport6 libqt6gui6 libqt6core6; do
  echo "$depends" | grep -q "$runtime" || fail "Depends lacks $runtime: $depends"
done

"$scratch/root/usr/bin/quadrix-cli" --help >/dev/null || fail "the unpacked quadrix-cli does not run"
[ "$failed" -eq 0 ] && echo "package $(basename "$deb") unpacks as expected"
exit "$failed"
