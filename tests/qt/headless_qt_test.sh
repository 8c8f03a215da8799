#!/bin/sh
# The program as the Qt build runs it without a display: its options; the desktop program says
# there is none unless a display or platform is named; the headless driver draws and pictures the
# map, prints to a PDF file, pictures the real windows with --windows, writes nothing on the error
# output, and goes on when a save fails under a file size limit.
#
# usage: headless_qt_test.sh FENLARK DATA_DIR WORK_DIR
set -eu
fenlark=$1 data=$2 work=$3

fail() {
    echo "FAILED: $*"
    exit 1
}

rm -rf "$work"
mkdir -p "$work/run"
cp "$data"/stations/*.txt "$data"/mapper.pnt "$work/run/"
cp "$data/capture-sample.txt" "$work/run/capture.txt"
printf ' 0 \r\n9600\r\nn\r\n8\r\n1\r\n~\r\n' >"$work/run/fenlark.ini"
# As in an automated run: no display, no runtime folder.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_RUNTIME_DIR

# Options refused, with status 2, the reason and the hint to try --help; and the driver's own,
# repeated ones too, accepted.
refused() {
    reason=$1
    shift
    status=0
    "$fenlark" "$@" </dev/null >/dev/null 2>"$work/refused.err" || status=$?
    test "$status" = 2 && grep -qxF "fenlark: $reason" "$work/refused.err" &&
        grep -qxF 'Try "fenlark --help" for the list of options.' "$work/refused.err" ||
        fail "$*: status $status, $(cat "$work/refused.err")"
}
refused "--dir needs a folder" --dir
refused "--dir needs a folder" --dir ""
refused "--simulate-cps needs a number of characters per second (1 or more)" --simulate-cps 0 \
    --simulate c
refused "--simulate-cps goes with --simulate FILE" --simulate-cps 50
refused "--serial and --simulate cannot be used together" --serial /dev/ttyS0 --simulate c
refused "--user-folder and --dir cannot be used together" --user-folder --dir d
refused "--script goes with --headless" --script -
refused "--simulate is not an option of --headless" --headless --simulate c
refused "--busy-port needs a port number" --headless --busy-port x
refused "unexpected value after '--windows'" --windows=1 --headless
refused 'unknown option "--bogus"' --dir d --bogus
refused 'unexpected argument "stray"' stray
! "$fenlark" --headless --script "$work" </dev/null 2>"$work/refused.err" >/dev/null &&
    grep -qxF "fenlark: cannot open the script \"$work\"" "$work/refused.err" ||
    fail "a folder was taken for a script: $(cat "$work/refused.err")"
"$fenlark" --headless --refuse-port 3 --busy-port=1 --refuse-port=4 --print-text --dir "$work/run" \
    </dev/null || fail "the driver's options, repeated ones too, were refused"

# The desktop program: with a display or a platform named, it takes the options and goes on to
# read the capture it is told to play, which is missing (status 2); without, status 4 and the
# headless command.
for case in "2 DISPLAY=:99" "2 WAYLAND_DISPLAY=wayland-9" "2 QT_QPA_PLATFORM=offscreen" "4" \
    "4 DISPLAY="; do
    set -- $case
    expected=$1
    shift
    status=0
    env "$@" "$fenlark" --dir "$work/run" --simulate "$work/none" --simulate-cps 500 \
        2>"$work/display.err" || status=$?
    test "$status" = "$expected" && { test "$status" = 4 || grep -q '^fenlark: cannot read ' \
        "$work/display.err"; } || fail "$case: status $status, $(cat "$work/display.err")"
done
grep -qx "  fenlark --headless --dir $work/run --script -" "$work/display.err" ||
    fail "no headless command: $(cat "$work/display.err")"

run() {
    name=$1
    shift
    "$fenlark" --headless --dir "$work/run" --script - "$@" >"$work/$name.out" 2>"$work/$name.err"
    test ! -s "$work/$name.err" || fail "$name wrote to the error output: $(cat "$work/$name.err")"
}

# The map and its picture; printing the message shown to a PDF file, and the operator is told.
run pdf <<SCRIPT
click Mapbutton
snapshot Form2 $work/map.png
click mnucapture
click Option5
select MessageList 1
get Text6
click print_message
SCRIPT
test -s "$work/map.png" || fail "no picture of the map"
id=$(sed -n 's/^Text6=Message //p' "$work/pdf.out")
grep -qx "notice: The message was written to the PDF file $work/run/message-$id.pdf." \
    "$work/pdf.out" || fail "no notice of the PDF file: $(cat "$work/pdf.out")"
test -s "$work/run/message-$id.pdf" || fail "no PDF file"

# Pictures of the real windows, drawn offscreen; without them only the map can be pictured.
run windows --windows <<SCRIPT
snapshot Form1 $work/form1.png
click mnuComPort
snapshot ComPortForm $work/comport.png
SCRIPT
test -s "$work/form1.png" && test -s "$work/comport.png" || fail "no pictures of the windows"
echo "snapshot Form1 $work/none.png" | "$fenlark" --headless --dir "$work/run" >/dev/null \
    2>"$work/nowindows.err" && fail "snapshot Form1 without --windows succeeded"
grep -q 'only the map can be pictured without the windows (run with --windows)' \
    "$work/nowindows.err" || fail "$(cat "$work/nowindows.err")"

# Under a file size limit smaller than the log, the save fails with its notice and the script
# runs on to its end.
(ulimit -f 4 && exec "$fenlark" --headless --dir "$work/run" --script - >"$work/fsize.out" 2>&1) \
    <<SCRIPT || fail "under a file size limit, status $?: $(cat "$work/fsize.out")"
click mnucapture
click Command1
SCRIPT
grep -q '^notice: The messages could not be saved to "navtex.txt": ' "$work/fsize.out" ||
    fail "no notice of the failed save: $(cat "$work/fsize.out")"
echo "passed"
