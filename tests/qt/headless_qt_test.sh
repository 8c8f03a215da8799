#!/bin/sh
# The headless driver as the Qt build runs it: the map drawn and pictured, printing to a PDF file
# or as text lines, pictures of the real windows with --windows, nothing on the error output, and
# a save that fails under a file size limit.
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
cp "$data"/stations/424.txt "$data"/stations/490.txt "$data"/stations/518.txt \
    "$data"/stations/4209.txt "$data"/mapper.pnt "$work/run/"
cp "$data/capture-sample.txt" "$work/run/capture.txt"
printf ' 0 \r\n9600\r\nn\r\n8\r\n1\r\n~\r\n' >"$work/run/fenlark.ini"
# As in an automated run: no display, no runtime folder.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_RUNTIME_DIR

run() {
    name=$1
    shift
    "$fenlark" --headless --dir "$work/run" --script - "$@" >"$work/$name.out" 2>"$work/$name.err"
    test ! -s "$work/$name.err" || fail "$name wrote to the error output: $(cat "$work/$name.err")"
}

# The map, its title and its picture.
run map <<SCRIPT
click Mapbutton
get Form2.Maplabel
snapshot Form2 $work/map.png
SCRIPT
grep -qx 'Form2.Maplabel= Navarea  I - North Sea and Baltic: Stations on 518 kHz' "$work/map.out" ||
    fail "map title: $(cat "$work/map.out")"
test -s "$work/map.png" || fail "no picture of the map"

# Printing the message shown: a PDF file in the working folder, and the operator is told.
run pdf <<SCRIPT
click mnucapture
click Option5
select MessageList 1
get Text6
click print_message
SCRIPT
id=$(sed -n 's/^Text6=Message //p' "$work/pdf.out")
test -n "$id" || fail "no message shown: $(cat "$work/pdf.out")"
grep -qx "notice: The message was written to the PDF file $work/run/message-$id.pdf." \
    "$work/pdf.out" || fail "no notice of the PDF file: $(cat "$work/pdf.out")"
if command -v pdftotext >/dev/null 2>&1; then
    pdftotext "$work/run/message-$id.pdf" - | grep -q "^Message $id Received " ||
        fail "the PDF does not begin with the summary"
fi

# The same as text lines.
run text --print-text <<SCRIPT
click mnucapture
click Option5
select MessageList 1
click print_message
SCRIPT
grep -q "^printer: Message $id Received " "$work/text.out" || fail "no printer lines"
grep -qx 'printer: (end of document)' "$work/text.out" || fail "no end of document"

# Pictures of the real windows, drawn offscreen.
run windows --windows <<SCRIPT
click mnucapture
snapshot Form1 $work/form1.png
click mnuComPort
snapshot ComPortForm $work/comport.png
SCRIPT
test -s "$work/form1.png" || fail "no picture of Form1"
test -s "$work/comport.png" || fail "no picture of ComPortForm"
if command -v identify >/dev/null 2>&1; then
    echo "map $(identify -format '%wx%h' "$work/map.png"), form1 $(identify -format '%wx%h' "$work/form1.png")"
fi

# Without the windows, only the map can be pictured; the driver says why.
"$fenlark" --headless --dir "$work/run" --script - >/dev/null 2>"$work/nowindows.err" <<SCRIPT && fail "snapshot Form1 without --windows succeeded"
snapshot Form1 $work/none.png
SCRIPT
grep -q 'only the map can be pictured without the windows (run with --windows)' \
    "$work/nowindows.err" || fail "$(cat "$work/nowindows.err")"
# Under a file size limit smaller than the log, the save fails with its notice and the script
# runs on to its end.
(ulimit -f 4 && exec "$fenlark" --headless --dir "$work/run" --script - >"$work/fsize.out" 2>&1) \
    <<SCRIPT || fail "under a file size limit, status $?: $(cat "$work/fsize.out")"
click mnucapture
click Command1
get Label1
SCRIPT
grep -q '^notice: The messages could not be saved to "navtex.txt": ' "$work/fsize.out" ||
    fail "no notice of the failed save: $(cat "$work/fsize.out")"
echo "passed"
