#!/bin/bash
# Starts the built program from another working directory on a virtual X display, lets it
# run, closes it with a click on its own close button and expects a clean exit. Its window
# class is the one the desktop entry names, so that task bars group it with its launcher. The stored
# Language shows that the Lang/ folder beside the executable was found: under a Chinese
# locale it is ZH only when Lang/Lang_ZH.qm was there. Last, the wrapper that every test
# runs under must remove its folder also when it is stopped.
# Arguments: the folder of the built programs, the source folder, the build folder.
set -u
bin=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/lumorra-smoke.XXXXXX") || exit 1
xvfb=""
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM
trap 'exit 130' INT
fail() { echo "FAIL: $*"; exit 1; }

for tool in Xvfb xdotool xdpyinfo xprop; do
    command -v "$tool" >/dev/null || fail "$tool is missing (tools/install-deps.sh installs it)"
done

mkdir -p "$work/home" "$work/config" "$work/cwd"
export HOME="$work/home" XDG_CONFIG_HOME="$work/config"

# Xvfb picks a free display itself and reports its number.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"
xdpyinfo >/dev/null 2>&1 || fail "the virtual display does not answer"

cd "$work/cwd" || exit 1
QT_QPA_PLATFORM=xcb LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8 "$bin/lumorra" >"$work/out.log" 2>&1 &
app=$!

window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$app" 2>/dev/null | head -n1)
[ -n "$window" ] || fail "no window appeared"
sleep 1
kill -0 "$app" 2>/dev/null || fail "the program ended on its own"

wm_class=$(sed -n 's/^StartupWMClass=//p' "$2/packaging/lumorra.desktop")
[ -n "$wm_class" ] && xprop -id "$window" WM_CLASS | grep -q "\"$wm_class\"\$" \
    || fail "window $(xprop -id "$window" WM_CLASS), desktop entry's StartupWMClass=$wm_class"

eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH" -ge 600 ] && [ "$HEIGHT" -ge 650 ] || fail "window is ${WIDTH}x${HEIGHT}"
# The close button is the right-most of the title bar's three, 30·s from the right edge.
# A click that comes before the program handles input is lost: click until it ends.
for _ in $(seq 50); do
    kill -0 "$app" 2>/dev/null || break
    xdotool mousemove "$((X + WIDTH - 16))" "$((Y + 12))" mousedown 1
    sleep 0.1
    xdotool mouseup 1
    sleep 0.2
done
kill -0 "$app" 2>/dev/null && fail "the close button did not end the program"
wait "$app"
status=$?
app=""
[ "$status" -eq 0 ] || { cat "$work/out.log"; fail "exit status $status"; }
if ! grep -qx 'CMAKE_BUILD_TYPE:STRING=Debug' "$3/CMakeCache.txt"; then
    [ ! -s "$work/out.log" ] || { cat "$work/out.log"; fail "a release build printed on the terminal"; }
fi

grep -qx 'Language=ZH' "$XDG_CONFIG_HOME/Tessmark/Lumorra.conf" \
    || fail "the Chinese translation beside the executable was not found"

sh "$2/tests/run-isolated.sh" sh -c 'echo "$TMPDIR" > "$1"; exec sleep 60' test "$work/inner" &
wrapper=$!
for _ in $(seq 50); do [ -s "$work/inner" ] && break; sleep 0.1; done
kill -TERM "$wrapper"
wait "$wrapper"
inner=$(dirname "$(cat "$work/inner")")
[ "$inner" != . ] && [ ! -e "$inner" ] || fail "a stopped test left $inner behind"
echo "PASS: started from $work/cwd, closed cleanly"
