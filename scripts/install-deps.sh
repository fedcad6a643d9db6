#!/usr/bin/env bash
# Installs what building and testing need on Debian 12: a compiler, CMake, make, Qt 6,
# Icarus Verilog, GTKWave and xmllint. Does nothing when everything is already there.
set -euo pipefail

# Icarus Verilog is the outside oracle of the expression tests.
packages=(g++ make cmake qt6-base-dev iverilog)
# GTKWave's vcd2fst and fst2vcd read back the VCD export; xmllint checks the JUnit XML.
packages+=(gtkwave libxml2-utils)
# Xvfb lets a person look at the window on a machine without a display.
[ "${ASMSIM_WITH_XVFB:-0}" = 1 ] && packages+=(xvfb)

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
