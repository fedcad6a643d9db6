#!/usr/bin/env bash
# Checks the .deb that `make package` built: the desktop entry and the file type are
# valid, the package holds what it should, lintian finds no error, and the package
# installs with apt-get, its asmsim-cli simulates the example as the built one does, and
# it removes cleanly.
#
#   bash packaging/check-deb.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-build}

fail() {
    echo "check-deb: $*" >&2
    exit 1
}

deb=$(ls -t "$build"/asmsim_*.deb 2>/dev/null | head -n1 || true)
[ -n "$deb" ] || fail "no asmsim_*.deb in $build (run make package first)"
for tool in desktop-file-validate update-mime-database lintian dpkg-deb apt-get; do
    command -v "$tool" >/dev/null || fail "$tool is missing (ASMSIM_WITH_PACKAGING=1 bash scripts/install-deps.sh)"
done
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
else
    sudo=(sudo)
fi

work=$(mktemp -d)
installed=0
# A check that fails half way does not leave the package installed.
cleanup() {
    if [ "$installed" = 1 ]; then
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get purge -y -q -o Dpkg::Use-Pty=0 \
            asmsim >/dev/null 2>&1 || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

echo "== desktop entry and file type"
desktop-file-validate packaging/asmsim.desktop
mkdir -p "$work/mime/packages"
cp packaging/asmsim.xml "$work/mime/packages/"
XDG_DATA_HOME="$work" update-mime-database "$work/mime"
grep -q '^50:application/x-asmsim-vdo:\*\.vdo$' "$work/mime/globs2" \
    || fail "the file type does not claim *.vdo"

echo "== contents of $deb"
dpkg-deb --contents "$deb" | awk '{print $6}' >"$work/contents"
for path in ./usr/bin/asmsim ./usr/bin/asmsim-cli \
            ./usr/share/applications/asmsim.desktop ./usr/share/mime/packages/asmsim.xml \
            ./usr/share/icons/hicolor/scalable/apps/asmsim.svg \
            ./usr/share/icons/hicolor/48x48/apps/asmsim.png \
            ./usr/share/icons/hicolor/256x256/apps/asmsim.png \
            ./usr/share/man/man1/asmsim.1.gz ./usr/share/man/man1/asmsim-cli.1.gz \
            ./usr/share/doc/asmsim/copyright ./usr/share/doc/asmsim/changelog.gz; do
    grep -qx "$path" "$work/contents" || fail "the package lacks $path"
done
dpkg-deb --field "$deb" Package Version Depends

echo "== lintian"
lintian --fail-on error --display-info "$deb" 2>&1 | tee "$work/lintian.txt"
echo "lintian: $(grep -c '^E:' "$work/lintian.txt" || true) errors," \
     "$(grep -c '^W:' "$work/lintian.txt" || true) warnings," \
     "$(grep -c '^I:' "$work/lintian.txt" || true) notes"

echo "== install, run, remove"
# apt-get reads a local package as its own unprivileged user: give it a readable copy.
cp "$deb" "$work/"
chmod 755 "$work"
chmod 644 "$work/$(basename "$deb")"
if dpkg-query -W -f='${Status}' asmsim 2>/dev/null | grep -q 'install ok installed'; then
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get purge -y -q -o Dpkg::Use-Pty=0 asmsim
fi
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q -o Dpkg::Use-Pty=0 --no-install-recommends \
    "$work/$(basename "$deb")"
installed=1
[ -x /usr/bin/asmsim-cli ] && [ -x /usr/bin/asmsim ] || fail "the programs are not in /usr/bin"

mkdir -p "$work/installed" "$work/built"
status=0
(cd "$work/installed" && /usr/bin/asmsim-cli --quiet --process process.txt \
    "$root/examples/counter.vdo") || status=$?
[ "$status" = 0 ] || fail "the installed asmsim-cli exited $status on examples/counter.vdo"
(cd "$work/built" && "$root/$build/asmsim-cli" --quiet --process process.txt \
    "$root/examples/counter.vdo") || true
cmp "$work/installed/OutFileSimulation.txt" "$work/built/OutFileSimulation.txt" \
    || fail "the installed asmsim-cli wrote another report than the built one"
cmp "$work/installed/process.txt" "$work/built/process.txt" \
    || fail "the installed asmsim-cli wrote another process trace than the built one"
/usr/bin/asmsim-cli --help >/dev/null
echo "installed asmsim-cli: exit 0, $(wc -l <"$work/installed/OutFileSimulation.txt") report lines"

DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get purge -y -q -o Dpkg::Use-Pty=0 asmsim
installed=0
for path in /usr/bin/asmsim /usr/bin/asmsim-cli /usr/share/applications/asmsim.desktop; do
    [ ! -e "$path" ] || fail "$path is still there after removing the package"
done
echo "check-deb: the package builds, passes lintian, installs, runs and removes cleanly"
