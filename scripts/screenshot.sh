#!/usr/bin/env bash
# Takes docs/screenshot.png: the window with examples/counter.vdo after Run, on a virtual
# display (Xvfb) of 1366 x 768, a common laptop screen, driven by xdotool and captured
# with ImageMagick's import. Then docs/chart-view.png: the same window with the Diagrama
# tab brought up by Simulator > Fit Chart and the chart at cycle 3.
#
#   bash scripts/screenshot.sh            (BUILD=dir to use another build directory)
#
# The window runs with fresh settings in a scratch directory (one run at a time), so the
# user's settings are not touched and the window comes up at the first-start size it
# computes for that screen. Run is tried with F5
# and then through the Simulator menu; every message box that comes up ("Simulando el
# archivo.") is answered with Return. When the window does not take a file named on
# the command line, the design is opened through File > Open.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${BUILD:-build}
shot="$root/docs/screenshot.png"
chart_shot="$root/docs/chart-view.png"
chart_cycle=3
width=1366
height=768

ASMSIM_WITH_XVFB=1 bash scripts/install-deps.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target asmsim >/dev/null
program="$root/$build/asmsim"

# A fixed scratch directory, so the design's path that the window shows is the same on
# every machine and in every run.
work="${TMPDIR:-/tmp}/asmsim-screenshot"
rm -rf "$work"
mkdir -p "$work"
design="$work/counter.vdo"
cp examples/counter.vdo "$design"
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "screenshot: $*" >&2
    exit 1
}

# Xvfb picks a free display number itself and writes it to the given descriptor.
start_display() {
    Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    export DISPLAY=":$(head -n1 "$work/display")"
}

# The visible top-level windows of the program, one id per line.
app_windows() {
    xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null || true
}

wait_for_main_window() {
    for _ in $(seq 100); do
        main_window=$(app_windows | head -n1)
        [ -n "$main_window" ] && return 0
        kill -0 "$app_pid" 2>/dev/null || fail "asmsim exited at start"
        sleep 0.1
    done
    fail "the window did not appear"
}

# Answers every message box that is up with Return; true when there was one.
answer_boxes() {
    local answered=1 window
    for window in $(app_windows); do
        [ "$window" = "$main_window" ] && continue
        xdotool windowfocus --sync "$window" key Return 2>/dev/null || true
        answered=0
    done
    return $answered
}

# A run has finished when its output file is there and has stopped growing.
run_finished() {
    local file="$work/OutFileSimulation.txt" before
    [ -s "$file" ] || return 1
    before=$(stat -c %s "$file")
    sleep 0.5
    [ "$before" = "$(stat -c %s "$file")" ]
}

# Presses KEYS on the main window, answers the boxes, and waits for the run's output.
# Returns 0 when the run finished, 1 when nothing happened, 2 when a box came up but no
# run followed (no file is open).
try_run() {
    local saw_box=1
    xdotool windowfocus --sync "$main_window" key --clearmodifiers "$@"
    for step in $(seq 60); do
        answer_boxes && saw_box=0
        run_finished && return 0
        [ "$saw_box" = 1 ] && [ "$step" -ge 15 ] && return 1
        sleep 0.2
    done
    return 2
}

run_design() {
    local status=1 keys
    for keys in "F5" "alt+s Return"; do
        # shellcheck disable=SC2086  # the key names are separate words
        try_run $keys && return 0 || status=$?
        [ "$status" = 2 ] && return 2
    done
    return "$status"
}

# File > Open with the dialog's file name field.
open_through_dialog() {
    xdotool windowfocus --sync "$main_window" key --clearmodifiers ctrl+o
    local dialog=""
    for _ in $(seq 50); do
        dialog=$(app_windows | grep -vx "$main_window" | head -n1 || true)
        [ -n "$dialog" ] && break
        sleep 0.1
    done
    [ -n "$dialog" ] || fail "File > Open showed no dialog"
    sleep 0.5
    xdotool windowfocus --sync "$dialog" type --delay 20 "$design"
    xdotool key Return
    sleep 1
}

start_display
mkdir -p "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
cd "$work"
XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
    "$program" "$design" >"$work/asmsim.log" 2>&1 &
app_pid=$!
wait_for_main_window
# Nothing of the window may fall off the screen, wherever it opened.
xdotool windowmove "$main_window" 0 0
# The pointer stays in the corner, away from tool tips and hover highlights.
xdotool mousemove $((width - 1)) $((height - 1))
sleep 1

status=0
run_design || status=$?
if [ "$status" != 0 ]; then
    open_through_dialog
    run_design || fail "Run gave no output file (see $work/asmsim.log)"
fi
answer_boxes || true
sleep 1

mkdir -p "$(dirname "$shot")"
import -window "$main_window" -strip "$shot"
echo "screenshot: wrote $shot ($(identify -format '%wx%h' "$shot"))"

# Fit Chart shows the chart and gives it the keys; Home then Right goes to the cycle.
xdotool windowfocus --sync "$main_window" key --clearmodifiers ctrl+shift+0
sleep 0.5
xdotool key --clearmodifiers Home
for _ in $(seq "$chart_cycle"); do
    xdotool key --clearmodifiers Right
done
sleep 1
import -window "$main_window" -strip "$chart_shot"
echo "screenshot: wrote $chart_shot ($(identify -format '%wx%h' "$chart_shot"))"
