#!/usr/bin/env bash
# End-to-end run of the real editor under its own Xvfb: its window made once, title and geometry, what
# docks and window managers read (icon, class, fixed size), no maximise and no resize, the single instance
# (and a run of this test beside a running editor says so), the link's two threads, screenshots of the
# three tabs, and the close button, a window manager's close and SIGTERM each end the process cleanly (a
# close request sent while the window is still being set up too); without a display it fails plainly.
#
# Usage: run_e2e.sh [path/to/varento-edit] [screenshot folder]
# Defaults: build/varento-edit and build/screenshots (relative to the repository).
set -euo pipefail

here="$(cd "$(dirname "$0")/../.." && pwd)"
program="${1:-$here/build/varento-edit}"
shots="${2:-$(dirname "$program")/screenshots}"
mkdir -p "$shots"
work="$(mktemp -d)"

failures=0
passes=0
check() { # check <description> <command...>
    local what="$1"; shift
    if "$@"; then
        echo "ok: $what"; passes=$((passes + 1))
    else
        echo "FAILED: $what"; failures=$((failures + 1))
    fi
}

for tool in Xvfb xdotool xwininfo xprop import convert; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/deps.sh installs it)"; exit 1; }
done
/usr/bin/python3 -c 'import Xlib' 2>/dev/null || { echo "missing python3-xlib (scripts/deps.sh installs it)"; exit 1; }
[ -x "$program" ] || { echo "no program at $program"; exit 1; }

# Only one editor runs per machine: while it runs, JUCE holds a POSIX lock on this file (named after the
# application). A second one would exit at once without a window, so say plainly why this run cannot go on.
lock="/var/tmp/juceAppLock_VARENTO Edit"
[ -d /var/tmp ] || lock="/tmp/juceAppLock_VARENTO Edit"
if [ -e "$lock" ]; then
    lock_id="$(printf '%02x:%02x:%d' $(stat -c '%Hd %Ld %i' "$lock"))"
    holder="$(awk -v id="$lock_id" '$2 != "->" && $6 == id { print $5; exit }' /proc/locks)"
    if [ -n "$holder" ]; then
        echo "another instance of VARENTO Edit is running on this machine (process $holder holds \"$lock\");"
        echo "only one runs at a time: close it and run this test again"
        exit 1
    fi
fi

# Without a display there is nowhere to open the window: the program says so and fails, it does not crash.
# DISPLAY names no server here (left unset, JUCE would try ":0", which may exist).
nodisplay_rc=0
nodisplay_out="$(env DISPLAY=none HOME="$work" "$program" 2>&1)" || nodisplay_rc=$?
check "without a display it says so and exits 1 (rc $nodisplay_rc: $nodisplay_out)" \
    bash -c '[ "$1" = 1 ] && grep -q "no display" <<<"$2"' _ "$nodisplay_rc" "$nodisplay_out"

xvfb_pid=""
app_pid=""
watcher_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$watcher_pid" ] && kill "$watcher_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb takes a display number nobody uses itself and writes it once it accepts connections (a number
# picked here could be taken by another run starting at the same time).
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 200); do
    grep -qx '[0-9][0-9]*' "$work/display" && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
done
export DISPLAY=":$(cat "$work/display")"
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }

# Each launch gets its own settings folder so no earlier run leaks in.
export HOME="$work/home"
mkdir -p "$HOME"

# Starts the program (its output goes on in app.log) and waits for its window.
launch() {
    "$program" >>"$work/app.log" 2>&1 &
    app_pid=$!
    window=""
    for _ in $(seq 1 200); do
        window="$(xdotool search --onlyvisible --name '^VARENTO Edit' 2>/dev/null | head -1 || true)"
        [ -n "$window" ] && break
        sleep 0.05
    done
    [ -n "$window" ] || { echo "no window appeared"; cat "$work/app.log"; exit 1; }
}

# Watches the top-level windows made on the display until the first of them is shown, then writes
# "shown <window> thrown-away <n>" to windows.log, n counting the windows made and destroyed before it.
watch_windows() {
    /usr/bin/python3 - >"$work/windows.log" 2>&1 <<'PY' &
from Xlib import X, display
d = display.Display()
d.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
d.sync()
print("ready", flush=True)
made, destroyed = set(), 0
while True:
    e = d.next_event()
    if e.type == X.CreateNotify and not e.override:
        made.add(e.window.id)
    elif e.type == X.DestroyNotify and e.window.id in made:
        destroyed += 1
    elif e.type == X.MapNotify and not e.override and e.window.id in made:
        print("shown", e.window.id, "thrown-away", destroyed, flush=True)
        break
PY
    watcher_pid=$!
    for _ in $(seq 1 200); do grep -q ready "$work/windows.log" && break; sleep 0.05; done
}

# Waits up to 10 s for the program to end; rc is its exit status then, empty if it still runs.
await_exit() {
    rc=""
    for _ in $(seq 1 200); do
        if ! kill -0 "$app_pid" 2>/dev/null; then
            rc=0; wait "$app_pid" || rc=$?
            break
        fi
        sleep 0.05
    done
    if [ -n "$rc" ]; then app_pid=""; fi
}

# A window manager's close request: the WM_DELETE_WINDOW client message to window $1. It waits until the
# server has processed the request (sync, not just flush): a client that ends right after writing may have
# its last requests dropped with its connection, and then no close arrives.
wm_delete_window() {
    /usr/bin/python3 - "$1" <<'PY'
import sys
from Xlib import X, display, protocol
d = display.Display()
w = d.create_resource_object("window", int(sys.argv[1]))
w.send_event(protocol.event.ClientMessage(window=w, client_type=d.intern_atom("WM_PROTOCOLS"),
             data=(32, [d.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])))
d.sync()
PY
}

watch_windows
launch
for _ in $(seq 1 200); do kill -0 "$watcher_pid" 2>/dev/null || break; sleep 0.05; done
kill "$watcher_pid" 2>/dev/null || true
watcher_pid=""
# The window is made once: the first window shown is the one found, and none was made and dropped before
# it (that one would carry the same name for a moment, without the icon and class set on the real one).
shown="$(grep '^shown' "$work/windows.log" || true)"
check "the window is made once (\"$shown\", found $window)" [ "$shown" = "shown $window thrown-away 0" ]
sleep 1 # let it paint
for _ in $(seq 1 50); do [ "$(xdotool getwindowname "$window")" = "VARENTO Edit [not connected!]" ] && break; sleep 0.1; done

title="$(xdotool getwindowname "$window")"
check "title is \"VARENTO Edit [not connected!]\" (was \"$title\")" [ "$title" = "VARENTO Edit [not connected!]" ]

# The window is the 912 x 516 content, a 1-pixel border on each side and the 26-pixel title bar.
geometry() { xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }
size="$(geometry)"
check "window 914x544 = content 912x516 + border + title bar (was $size)" [ "$size" = "914x544" ]

# What docks, task bars and window managers read: the icon, the class that ties the window to its
# desktop entry, and a fixed size (minimum = maximum).
icon="$(xprop -id "$window" -len 16 32c _NET_WM_ICON)"
check "the window carries an icon ($icon)" grep -Eq '= ([1-9][0-9]*), \1$' <<<"$icon"
wm_class="$(xprop -id "$window" WM_CLASS)"
startup_class="$(sed -n 's/^StartupWMClass=//p' "$here/packaging/varento-edit.desktop")"
check "WM_CLASS class is the desktop entry's StartupWMClass \"$startup_class\" ($wm_class)" \
    grep -Eq "^WM_CLASS\(STRING\) = \"[^\"]*\", \"$startup_class\"\$" <<<"$wm_class"
fixed="$(xprop -id "$window" WM_NORMAL_HINTS | grep -c -e 'minimum size: 914 by 544' -e 'maximum size: 914 by 544' || true)"
check "size hints fix the window at 914x544 (minimum and maximum)" [ "$fixed" = 2 ]

pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6; }
import -window "$window" "$work/window.png"
check "content's top-left pixel is the background #161616" [ "$(pixel "$work/window.png" 1 27)" = "161616" ]
check "content's right panel (content 740,20) is grey #666767" [ "$(pixel "$work/window.png" 741 47)" = "666767" ]
check "the frame reaches the bottom of the content (content 100,510)" [ "$(pixel "$work/window.png" 101 537)" = "666767" ]

# The link's two threads run.
threads="$(cat /proc/"$app_pid"/task/*/comm 2>/dev/null || true)"
check "\"OSC connection\" thread runs" grep -qx "OSC connection" <<<"$threads"
check "\"USB connection\" thread runs" grep -qx "USB connection" <<<"$threads"

# No maximise: a double click on the title bar changes nothing; neither does dragging the corner.
xdotool mousemove --window "$window" 300 12 click --repeat 2 --delay 80 1
sleep 0.5
check "double click on the title bar keeps 914x544 (was $(geometry))" [ "$(geometry)" = "914x544" ]
xdotool mousemove --window "$window" 912 542 mousedown 1 mousemove_relative 60 40 mouseup 1
sleep 0.5
check "dragging the bottom-right corner keeps 914x544 (was $(geometry))" [ "$(geometry)" = "914x544" ]

# A second launch exits at once and opens no second window.
start=$(date +%s)
second_rc=0
timeout 20 "$program" >"$work/second.log" 2>&1 || second_rc=$?
elapsed=$(( $(date +%s) - start ))
check "second launch ended by itself (rc $second_rc, ${elapsed}s)" [ "$second_rc" -ne 124 ]
windows="$(xdotool search --name '^VARENTO Edit' 2>/dev/null | wc -l)"
check "still one editor window (found $windows)" [ "$windows" -eq 1 ]
check "first instance still runs" kill -0 "$app_pid"
nested="$(bash "$0" "$program" "$work/nested" 2>&1 || true)"
check "a run beside a running editor says another instance is running" grep -q "another instance" <<<"$nested"

# Screenshots of the three tabs (tab buttons at content y 8..38; window offset 1, 27), before and
# after an offline model is picked from the Setup page's list (its first entry, by keyboard).
# Only this run's own pictures: the unit tests keep theirs in the same folder.
rm -f "$shots"/0[1-4]-*.png
import -window root "$shots/01-setup.png"
# A slow build (sanitizers) may open the list late: try again until the title follows, up to 3 times.
offline_title() { xdotool getwindowname "$window" | grep -q '^VARENTO Edit \[offline'; }
for _ in 1 2 3; do
    xdotool mousemove --window "$window" 250 203 click 1
    sleep 0.7
    xdotool key Down Return
    for _ in $(seq 1 40); do offline_title && break; sleep 0.1; done
    offline_title && break
    xdotool key Escape
done
title="$(xdotool getwindowname "$window")"
check "an offline model shows in the title (\"$title\")" grep -q '^VARENTO Edit \[offline' <<<"$title"
import -window root "$shots/02-setup-offline-model.png"
xdotool mousemove --window "$window" 130 50 click 1
sleep 0.7
import -window root "$shots/03-configuration.png"
xdotool mousemove --window "$window" 235 50 click 1
sleep 0.7
import -window root "$shots/04-equaliser.png"
xdotool mousemove --window "$window" 40 50 click 1
sleep 0.3
count=$(ls "$shots"/0[1-4]-*.png | wc -l)
check "four screenshots in $shots (found $count)" [ "$count" -eq 4 ]

# The close button (JUCE's own title bar, right end) ends the process.
xdotool mousemove --window "$window" 896 13 click 1
await_exit
check "closing the window ends the program within 10 s" [ -n "$rc" ]
check "exit status 0 (was ${rc:-running})" [ "${rc:-1}" = "0" ]

# A window manager's close and SIGTERM take the same road: the program ends by itself with status 0.
for way in WM_DELETE_WINDOW SIGTERM; do
    [ -n "$app_pid" ] && { kill -KILL "$app_pid"; wait "$app_pid" || true; app_pid=""; }
    launch
    case "$way" in
        WM_DELETE_WINDOW) wm_delete_window "$window" ;;
        SIGTERM) kill -TERM "$app_pid" ;;
    esac
    await_exit
    check "$way ends the program with exit status 0 (was ${rc:-still running after 10 s})" [ "${rc:-1}" = "0" ]
done
check "no leak reported" bash -c "! grep -q -i -e 'leaked objects' -e 'LeakSanitizer' -e 'AddressSanitizer' '$work/app.log'"

echo "--- program output ---"
cat "$work/app.log"
echo "----------------------"
echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
