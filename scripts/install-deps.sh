#!/usr/bin/env bash
# Installs the Debian packages Curvelo needs to build, test and package, only those missing.
# The desktop tools check the menu entry and document types; dpkg-dev and file let CPack
# find the package's dependencies; TeX compiles the PiCTeX and TikZ exports in the tests.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config ccache
          qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev libmuparser-dev libgif-dev
          desktop-file-utils shared-mime-info xdg-utils libfile-mimeinfo-perl dpkg-dev file
          poppler-utils texlive-plain-generic texlive-pictures texlive-latex-base)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
