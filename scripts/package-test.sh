#!/bin/sh
# Builds the Debian package from the build tree, unpacks it into a scratch root, validates its
# desktop entry and AppStream metainfo, and runs both programs from it: qlx-cli solves a line,
# and qlx starts under a virtual display as an unprivileged user, keeping TL.DEF in that user's
# configuration folder because the program's folder is not writable there.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh --package
cmake -S . -B build -G Ninja ${QLX_CMAKE_ARGS:-}
cmake --build build
# The package just built, never an older one left in the build tree.
rm -f build/qlx_*_*.deb
(cd build && cpack -G DEB)
set -- build/qlx_*_*.deb
if [ "$#" -ne 1 ] || [ ! -f "$1" ]; then
    echo "package-test: expected one package, found: $*" >&2
    exit 1
fi
deb=$1
dpkg-deb --field "$deb" Depends

root=$(mktemp -d)
home=$(mktemp -d)
trap 'rm -rf "$root" "$home"' EXIT
dpkg -x "$deb" "$root"
chmod 755 "$root"
chmod 777 "$home"

desktop-file-validate "$root/usr/share/applications/org.qlx.QLX.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.qlx.QLX.metainfo.xml"
test -f "$root/usr/lib/qlx/QLX.PDF" && test -f "$root/usr/lib/qlx/Form3PiNet.bmp"
for f in "$root"/usr/bin/*; do test -L "$f"; done  # bin holds only the links to the programs

"$root/usr/bin/qlx-cli" line --cable 3 --freq 10 --length 100 | grep -q "txtZ0: 52.2 - j 0.36"
echo "package: qlx-cli runs from the package"

# As an unprivileged user (nobody) when run as root, so that the program's folder is read-only.
as_user() {
    if [ "$(id -u)" -eq 0 ]; then runuser -u nobody -- "$@"; else "$@"; fi
}
# The program runs until it is ended; timeout ends it (and its virtual display) after 15 s.
as_user env HOME="$home" XDG_CONFIG_HOME="$home/.config" timeout -k 5 15 xvfb-run -a "$root/usr/bin/qlx" \
    > "$home/qlx.log" 2>&1 &
pid=$!
for i in 1 2 3 4 5 6 7 8 9 10; do
    [ -f "$home/.config/QLX/TL.DEF" ] && break
    sleep 1
done
wait "$pid" 2>/dev/null || true
test -f "$home/.config/QLX/TL.DEF" || { cat "$home/qlx.log"; echo "package: qlx did not start" >&2; exit 1; }
test ! -e "$root/usr/lib/qlx/TL.DEF"
echo "package: qlx started from the package and keeps TL.DEF in the user's configuration folder"

# A cable saved with qlx-cli goes beside TL.DEF (the program's folder is read-only) and is listed.
test -f "$root/usr/share/qlx/cables-library.txt"
as_user env HOME="$home" XDG_CONFIG_HOME="$home/.config" "$root/usr/bin/qlx-cli" cable fit \
    --points 900:3.9,2500:6.76 --z0 50 --vf 0.85 --name "Mine" --save > /dev/null
test -f "$home/.config/QLX/QLX cables.txt"
as_user env HOME="$home" XDG_CONFIG_HOME="$home/.config" "$root/usr/bin/qlx-cli" cables | grep -q "^33: Mine"
test ! -e "$root/usr/lib/qlx/QLX cables.txt"
echo "package: qlx-cli keeps cables of one's own in the user's configuration folder"
