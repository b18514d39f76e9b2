#!/bin/bash
# Builds the Debian package from the build folder, checks its contents and its
# dependencies, and runs the program from the unpacked package.
# Arguments: bin folder, source folder, build folder.
set -euo pipefail
bin=$1 build=$3
. "$(dirname "$0")/probe-run.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/pkg/lumorra_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one package: ${debs[*]}"
deb=${debs[0]}

dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' >"$work/contents"
id=$(basename "$(grep '^/usr/share/applications/.*\.desktop$' "$work/contents")" .desktop)
for f in /opt/lumorra/lumorra /opt/lumorra/Lang/Lang_config /opt/lumorra/Lang/Lang_EN.qm \
         /opt/lumorra/Lang/Lang_ZH.qm /usr/bin/lumorra /usr/share/applications/$id.desktop \
         /usr/share/metainfo/$id.metainfo.xml /usr/share/man/man1/lumorra.1.gz \
         /usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/lumorra.png; do
    grep -qx "$f" "$work/contents" || fail "$f not in the package"
done
grep -v '/$' "$work/contents" | grep -v '^/opt/lumorra/\|^/usr/bin/lumorra$\|^/usr/share/applications/\|^/usr/share/icons/hicolor/\|^/usr/share/metainfo/\|^/usr/share/man/man1/lumorra.1.gz$' \
    && fail "unexpected files in the package"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = lumorra ] || fail "package name $(field Package)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture"
depends=$(field Depends)
for dep in ffmpeg libqt5core5a libqt5gui5 libqt5widgets5; do
    grep -qw "$dep" <<<"$depends" || fail "Depends lacks $dep: $depends"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" || fail "metainfo"
gzip -t "$root/usr/share/man/man1/lumorra.1.gz" || fail "manual page"
probe_run "$root/usr/bin/lumorra" "$bin/lumorra_window_probe.so" "$work/zh" ZH
expect_texts "$work/zh" "action: 帮助" "menu: 语言" "action: 中文"
expect_setting "$work/zh" ZH
echo "package $(basename "$deb"): $(stat -c %s "$deb") bytes; Depends: $depends"
