#!/usr/bin/env bash
# CPack builds the Debian package from this build tree; the package holds the program, its
# menu entry, icons, document types, manual page and documentation, depends on the Qt
# libraries dpkg-shlibdeps found, and the program in it runs.
set -euo pipefail
build=$1
version=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

(cd "$build" && cpack -G DEB -B "$tmp" >"$tmp/cpack.log" 2>&1) || { cat "$tmp/cpack.log"; exit 1; }
deb=$tmp/curvelo_${version}_amd64.deb
[ -f "$deb" ] || { echo "no $deb"; ls "$tmp"; exit 1; }

contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
for f in ./usr/bin/curvelo \
         ./usr/share/applications/curvelo.desktop \
         ./usr/share/mime/packages/curvelo.xml \
         ./usr/share/icons/hicolor/scalable/apps/curvelo.svg \
         ./usr/share/icons/hicolor/16x16/apps/curvelo.png \
         ./usr/share/icons/hicolor/48x48/apps/curvelo.png \
         ./usr/share/icons/hicolor/256x256/apps/curvelo.png \
         ./usr/share/man/man1/curvelo.1.gz \
         ./usr/share/doc/curvelo/README.md \
         ./usr/share/doc/curvelo/docs/cv2-format.md \
         ./usr/share/doc/curvelo/examples/rozsa.cv2; do
  grep -qxF "$f" <<<"$contents" || fail "the package lacks $f"
done
# Build tools stay out of the package.
if grep -q 'icon_png\|man_page' <<<"$contents"; then fail "a build tool was packaged"; fi

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6svg6 libc6; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = curvelo ] || fail "package name"

dpkg-deb -x "$deb" "$tmp/root"
file "$tmp/root/usr/bin/curvelo" | grep -q 'stripped' || fail "the program is not stripped"
file "$tmp/root/usr/bin/curvelo" | grep -q 'not stripped' && fail "the program is not stripped"
[ "$("$tmp/root/usr/bin/curvelo" --version)" = "Curvelo $version" ] || fail "the packaged program does not run"
for size in 16 22 24 32 48 64 128 256; do
  png=$tmp/root/usr/share/icons/hicolor/${size}x${size}/apps/curvelo.png
  [ -f "$png" ] || { fail "no ${size}x${size} icon"; continue; }
  file "$png" | grep -q "PNG image data, $size x $size" || fail "icon $size: $(file -b "$png")"
done
zcat "$tmp/root/usr/share/man/man1/curvelo.1.gz" | grep -q '^\.TH CURVELO 1' || fail "manual page header"

[ "$failures" -eq 0 ] || exit 1
echo "Debian package: ok"
