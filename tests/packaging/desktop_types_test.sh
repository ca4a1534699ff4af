#!/usr/bin/env bash
# The menu entry passes desktop-file-validate; the document types, installed into a private
# XDG_DATA_HOME, make xdg-mime name Curvelo's types for the gallery by extension and, for
# files without one, by their first bytes.
set -euo pipefail
src=$1
entry=$src/packaging/curvelo.desktop
types=$src/packaging/curvelo-mime.xml
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Hints are advice (three main categories were asked for); errors and warnings are not.
report=$(desktop-file-validate "$entry" 2>&1 || true)
if grep -Eq 'error|warning' <<<"$report"; then fail "desktop-file-validate: $report"; fi
grep -qx 'Exec=curvelo %f' "$entry" || fail "the entry must start curvelo with one file"
grep -qx 'Categories=Education;Math;Science;' "$entry" || fail "categories"
grep -q '^Name\[hu\]=\|^Comment\[hu\]=' "$entry" || fail "no Hungarian text in the entry"

mkdir -p "$tmp/data/mime/packages"
cp "$types" "$tmp/data/mime/packages/curvelo.xml"
out=$(XDG_DATA_HOME="$tmp/data" update-mime-database "$tmp/data/mime" 2>&1)
[ -z "$out" ] || fail "update-mime-database: $out"

# Every type the entry opens is one the MIME package defines.
for t in $(sed -n 's/^MimeType=//p' "$entry" | tr ';' ' '); do
  [ -f "$tmp/data/mime/$t.xml" ] || fail "the entry opens $t, which no MIME package defines"
done

# The generic (no desktop environment) path of xdg-mime, reading only our private database
# beside the system's.
filetype() {
  env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION -u GNOME_DESKTOP_SESSION_ID \
    XDG_DATA_HOME="$tmp/data" XDG_DATA_DIRS=/usr/share xdg-mime query filetype "$1"
}
expect() {
  local got
  got=$(filetype "$2")
  [ "$got" = "$1" ] || fail "$(basename "$2"): expected $1, xdg-mime says $got"
}

mkdir -p "$tmp/docs"
for doc in "$src"/examples/*.cv2; do
  expect application/x-curvelo-cv2 "$doc"
done
cp "$src/examples/rozsa.cv2" "$tmp/docs/rozsa_kiterjesztes_nelkul"
expect application/x-curvelo-cv2 "$tmp/docs/rozsa_kiterjesztes_nelkul"
cp "$src/examples/spiral.cv2" "$tmp/docs/NAGYBETUS.CV2"
expect application/x-curvelo-cv2 "$tmp/docs/NAGYBETUS.CV2"
# A many-body drawing (842) and a 3D drawing (961), by their first bytes only.
printf '\112\003\000\000\005\000\000\000' >"$tmp/docs/tobbtest"
expect application/x-curvelo-cv2 "$tmp/docs/tobbtest"
printf '\301\003\000\000\005\000\000\000' >"$tmp/docs/ter"
expect application/x-curvelo-cv3 "$tmp/docs/ter"
printf '\301\003\000\000\005\000\000\000' >"$tmp/docs/ter.cv3"
expect application/x-curvelo-cv3 "$tmp/docs/ter.cv3"
printf 'x\n' >"$tmp/docs/lekepezes.ma2"
expect application/x-curvelo-ma2 "$tmp/docs/lekepezes.ma2"
printf 'x\n' >"$tmp/docs/lekepezes.maz"
expect application/x-curvelo-maz "$tmp/docs/lekepezes.maz"

# Four matching bytes are not enough: the version word must look like one.
printf '\111\003\000\000\377\377\000\000' >"$tmp/docs/idegen"
[ "$(filetype "$tmp/docs/idegen")" != application/x-curvelo-cv2 ] || fail "841 with version 65535 taken for a drawing"
printf 'szöveg\n' >"$tmp/docs/szoveg"
case "$(filetype "$tmp/docs/szoveg")" in application/x-curvelo*) fail "a text file taken for a drawing" ;; esac

[ "$failures" -eq 0 ] || exit 1
echo "menu entry and document types: ok"
