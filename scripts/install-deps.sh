#!/usr/bin/env bash
# Installs what building and testing need on Debian 12: a compiler, CMake, make, Qt 6,
# Icarus Verilog, Graphviz, GTKWave and xmllint; with ASMSIM_WITH_XVFB=1 or ASMSIM_WITH_PACKAGING=1
# also what the screenshot or the package needs. Does nothing when everything is there.
set -euo pipefail

# Icarus Verilog is the outside oracle of the expression tests.
packages=(g++ make cmake qt6-base-dev iverilog)
# The chart is laid out with Graphviz's library; the tests also check its source with dot.
packages+=(pkg-config libgraphviz-dev graphviz)
# GTKWave's vcd2fst and fst2vcd read back the VCD export; xmllint checks the JUnit XML.
packages+=(gtkwave libxml2-utils)
# Xvfb lets a person look at the window on a machine without a display; xdotool drives
# it and ImageMagick's import takes scripts/screenshot.sh's picture of it.
[ "${ASMSIM_WITH_XVFB:-0}" = 1 ] && packages+=(xvfb xdotool imagemagick fonts-dejavu-core)
# make package: CPack finds the dependencies with dpkg-shlibdeps (dpkg-dev) and file;
# CI checks the .deb with lintian, the desktop entry with desktop-file-validate and the
# file type with update-mime-database.
[ "${ASMSIM_WITH_PACKAGING:-0}" = 1 ] && packages+=(dpkg-dev file lintian desktop-file-utils shared-mime-info)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    echo "install-deps: need root or sudo to install ${missing[*]}" >&2
    exit 1
fi
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
