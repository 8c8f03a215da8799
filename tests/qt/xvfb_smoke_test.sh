#!/bin/sh
# The desktop program on a virtual X display: it starts with the simulated receiver, its window
# is found by its title, a screenshot is taken, and it is quit through the File menu from the
# keyboard, the question "Save messages first?" answered Yes (so the message log is written).
# Every wait is for something to happen (a window to appear, the program to end), never for a
# length of time.
#
# usage: xvfb_smoke_test.sh FENLARK DATA_DIR WORK_DIR
# Exit status 77 (skipped) when xvfb-run is not installed.
set -eu

if [ "${1:-}" = "--inside-display" ]; then
    fenlark=$2 data=$3 work=$4
    "$fenlark" --dir "$work/run" --simulate "$data/capture-sample.txt" --simulate-cps 2000 \
        >"$work/fenlark.out" 2>&1 &
    pid=$!
    window=$(xdotool search --sync --onlyvisible --name '^FENLARK Navtex Message Display$' |
        head -n 1)
    import -window "$window" "$work/form1.png"
    xdotool windowfocus --sync "$window"
    # Alt+F opens the File menu; the Q that follows goes to the open menu (the program handles
    # its keys in order) and chooses "&Quit".
    xdotool key alt+f q
    # The question box is the one visible window titled with the program's name alone (its X11
    # window role is "fenlark-question", for tools that can search by role).
    box=$(xdotool search --sync --onlyvisible --name '^FenLark$' | head -n 1)
    xdotool windowfocus --sync "$box"
    xdotool key y
    status=0
    wait "$pid" || status=$?
    echo "fenlark ended with status $status"
    exit "$status"
fi

fenlark=$1 data=$2 work=$3
if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "xvfb-run is not installed: skipped"
    exit 77
fi
for tool in xdotool import; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$tool is not installed"; exit 1; }
done

rm -rf "$work"
mkdir -p "$work/run" "$work/xdg"
chmod 700 "$work/xdg"
cp "$data"/stations/*.txt "$data"/mapper.pnt "$work/run/"
printf ' 0 \r\n9600\r\nn\r\n8\r\n1\r\n~\r\n' >"$work/run/fenlark.ini"

unset QT_QPA_PLATFORM WAYLAND_DISPLAY
export XDG_RUNTIME_DIR="$work/xdg"
xvfb-run -a -s "-screen 0 1280x1024x24" sh "$0" --inside-display "$fenlark" "$data" "$work"

test -s "$work/form1.png" || { echo "no screenshot"; exit 1; }
test -f "$work/run/navtex.txt" || { echo "the messages were not saved on the way out"; exit 1; }
echo "screenshot: $work/form1.png; log: $work/run/navtex.txt"
