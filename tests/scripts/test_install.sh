#!/bin/bash
# Installs into a temporary prefix and starts the installed program from another working
# directory: it finds its languages (Chinese from the setting, English from the locale),
# shows their texts and closes cleanly; the tree still runs after it was moved; the launcher
# passes its arguments through; the desktop entry and the software centres' record are
# valid and name each other, and the window names the entry; the manual page renders; the icons are there at every size.
# Arguments: bin folder, source folder, build folder.
set -euo pipefail
bin=$1 build=$3
. "$(dirname "$0")/probe-run.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "install"; }
grep -v "^$prefix/" "$build/install_manifest.txt" && fail "installed outside the prefix"

[ -x "$prefix/bin/lumorra" ] || fail "no launcher"
[ -x "$prefix/lib/lumorra/lumorra" ] || fail "no program"
for f in Lang_config Lang_EN.qm Lang_ZH.qm; do
    cmp "$bin/Lang/$f" "$prefix/lib/lumorra/Lang/$f" || fail "Lang/$f"
done
entries=("$prefix"/share/applications/*.desktop)
[ ${#entries[@]} -eq 1 ] || fail "desktop entries: ${entries[*]}"
entry=${entries[0]}
id=$(basename "$entry" .desktop)
[[ $id =~ ^[a-z0-9-]+(\.[a-z0-9-]+)+\.Lumorra$ ]] || fail "id $id is not reverse-DNS"
desktop-file-validate "$entry" || fail "desktop entry"
grep -qx 'Exec=lumorra %F' "$entry" && grep -qx 'Icon=lumorra' "$entry" || fail "entry's Exec or Icon"
metainfo=$prefix/share/metainfo/$id.metainfo.xml
appstreamcli validate --no-net "$metainfo" || fail "metainfo"
grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
    && grep -qF "<release version=\"1.0.8\"" "$metainfo" || fail "metainfo's launchable or release"
man=$prefix/share/man/man1/lumorra.1.gz
[ -z "$(MANWIDTH=80 man --warnings -l "$man" 2>&1 >"$work/man.txt")" ] || fail "manual page warnings"
grep -q "lumorra create" "$work/man.txt" || fail "manual page text"
for s in 16 32 48 64 128 256; do
    file "$prefix/share/icons/hicolor/${s}x$s/apps/lumorra.png" | grep -q "PNG image data, $s x $s," \
        || fail "icon ${s}x$s"
done

# The launcher hands over every argument as it is; commands need no display.
convert -size 30x20 xc:red "$work/a picture.png"
(unset DISPLAY QT_QPA_PLATFORM; "$prefix/bin/lumorra" create -o "$work/a b.gif" "$work/a picture.png") \
    && [ "$(identify -format %wx%h "$work/a b.gif")" = 30x20 ] || fail "launcher's arguments"

probe=$bin/lumorra_window_probe.so
probe_run "$prefix/bin/lumorra" "$probe" "$work/zh" ZH
expect_texts "$work/zh" "label: Lumorra" "action: 帮助" "action: 技术支持" "menu: 语言" \
    "action: English" "action: 中文"
expect_setting "$work/zh" ZH

mv "$prefix" "$work/moved"
probe_run "$work/moved/bin/lumorra" "$probe" "$work/en"
expect_texts "$work/en" "label: Lumorra" "action: Help" "action: Support" "menu: Language" \
    "action: English" "action: 中文" "desktop entry: $id"
expect_setting "$work/en" EN
echo "installed program ran in Chinese and, moved, in English"
