#!/bin/sh
# Builds the Debian package from a build tree, unpacks it into a scratch root, checks that every
# file lands where Debian expects it, runs lintian on it, runs the unpacked quadrix-cli on an
# unpacked example and lets a copy of the library viewer's probe, placed in the unpacked bin/
# where no text lies beside it, find the library texts in the unpacked data folder.
# Usage: deb_installs.sh BUILD_DIR CPACK LIBRARY_PROBE
set -eu
build=$1
cpack=$2
probe=$3
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
root="$scratch/root"
dpkg-deb -x "$deb" "$root"

failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}

# Only the two programs in bin/; every data file in share/.
programs=$(cd "$root/usr/bin" && ls | tr '\n' ' ')
[ "$programs" = "quadrix quadrix-cli " ] || fail "usr/bin holds '$programs', not the two programs"
for program in quadrix quadrix-cli; do
  [ -x "$root/usr/bin/$program" ] || fail "usr/bin/$program is not executable"
done
doc=usr/share/doc/quadrix
for file in usr/share/quadrix/GSi.s usr/share/quadrix/GSr.s usr/share/quadrix/WS.s \
    usr/share/applications/quadrix.desktop usr/share/icons/hicolor/scalable/apps/quadrix.svg \
    usr/share/man/man1/quadrix.1.gz usr/share/man/man1/quadrix-cli.1.gz \
    $doc/changelog.gz $doc/copyright $doc/examples/README.md $doc/examples/cgcut1.BI \
    $doc/examples/cgcut2.BI $doc/examples/2s.BI $doc/examples/W.BI $doc/examples/OF1.BI \
    $doc/examples/gcut1.BI; do
  [ -s "$root/$file" ] || fail "$file is missing or empty"
done
unexpected=$(cd "$root" && find . -type f ! -path './usr/bin/*' ! -path './usr/share/*')
[ -z "$unexpected" ] || fail "files outside /usr/bin and /usr/share: $unexpected"
for file in "$root"/usr/share/man/man1/*.gz "$root/$doc/changelog.gz"; do
  gzip -t "$file" 2>/dev/null || fail "$file is not gzip-compressed"
done
zcat "$root/usr/share/man/man1/quadrix-cli.1.gz" | grep -q '^\.SH OPÇÕES' ||
  fail "the manual page of quadrix-cli is not the Portuguese one"
zcat "$root/$doc/changelog.gz" | head -1 | grep -q '^quadrix (1\.0) ' ||
  fail "the changelog does not start with version 1.0"
head -1 "$root/$doc/copyright" |
  grep -qxF 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not machine-readable"

entry="$root/usr/share/applications/quadrix.desktop"
for line in '[Desktop Entry]' 'Type=Application' 'Name=Quadrix' 'Exec=quadrix' 'Icon=quadrix' \
    'Categories=Office;Engineering;'; do
  grep -qxF "$line" "$entry" || fail "desktop entry lacks the line $line"
done
grep -q '^Comment=..' "$entry" || fail "desktop entry has no comment"
if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$entry" || fail "desktop-file-validate rejects the desktop entry"
fi

[ "$(dpkg-deb -f "$deb" Package)" = quadrix ] || fail "package name is not quadrix"
dpkg-deb -f "$deb" Maintainer | grep -qx '[^<>]*[^ <>] <[^@<> ]*@[^@<> ]*\.[^@<> ]*>' ||
  fail "maintainer is not in the form Name <address>: $(dpkg-deb -f "$deb" Maintainer)"
long=$(dpkg-deb -f "$deb" Description | awk 'length > 80')
[ -z "$long" ] || fail "description lines longer than 80 characters: $long"
depends=$(dpkg-deb -f "$deb" Depends)
for runtime in libqt6widgets6 libqt6printsupport6 libqt6gui6 libqt6core6 qt6-qpa-plugins libc6 \
    libstdc++6; do
  echo "$depends" | grep -q "$runtime" || fail "Depends lacks $runtime: $depends"
done

report=$("$root/usr/bin/quadrix-cli" andor "$root/$doc/examples/cgcut1.BI" --depth 3) ||
  fail "the unpacked quadrix-cli fails on the unpacked cgcut1.BI"
echo "$report" | grep -q '^Área ótima = 244' ||
  fail "the unpacked quadrix-cli does not find 244 on cgcut1.BI: $report"

# The probe must fail where no text can be found, or its success below would prove nothing.
mkdir "$scratch/alone"
cp "$probe" "$scratch/alone/"
if QT_QPA_PLATFORM=offscreen "$scratch/alone/$(basename "$probe")" >/dev/null 2>&1; then
  fail "the probe finds library texts in a folder that has none"
fi
cp "$probe" "$root/usr/bin/"
QT_QPA_PLATFORM=offscreen "$root/usr/bin/$(basename "$probe")" ||
  fail "a program in the unpacked usr/bin does not find the texts in usr/share/quadrix"

lintian_missing=0
if command -v lintian >/dev/null 2>&1; then
  # Overridden tags are not printed; anything printed is a fault. Its status is not zero
  # when it found errors, and also when it could not check the package at all.
  status=0
  findings=$(lintian "$deb" 2>"$scratch/lintian.err") || status=$?
  if [ -n "$findings" ]; then
    fail "lintian reports:
$findings"
  elif [ "$status" -ne 0 ]; then
    fail "lintian could not check the package (status $status): $(cat "$scratch/lintian.err")"
  fi
else
  lintian_missing=1
fi

[ "$failed" -eq 0 ] || exit 1
if [ "$lintian_missing" -eq 1 ]; then
  echo "SKIPPED: every other check passed, but lintian is not installed"
  exit 77
fi
echo "package $(basename "$deb") unpacks, runs and passes lintian"
