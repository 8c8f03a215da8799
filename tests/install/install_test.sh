#!/bin/sh
# The installed program: installed to a temporary prefix and started headless with --user-folder
# as a new user would, twice; then without its data, and with a per-user folder it cannot make.
#
# usage: install_test.sh BUILD_DIR DATA_DIR WORK_DIR
set -eu
build=$1 data=$2 work=$3

fail() {
    echo "FAILED: $*"
    exit 1
}

rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd -P)
cmake --install "$build" --prefix "$work/prefix" >/dev/null
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_RUNTIME_DIR
export LC_ALL=C HOME="$work/home" XDG_DATA_HOME="$work/data"
folder=$XDG_DATA_HOME/fenlark
start() {
    echo 'list StationList' | "$work/prefix/bin/fenlark" --headless --user-folder --script - \
        >"$work/$1.out" 2>&1 || fail "$1 start: $(cat "$work/$1.out")"
}

# The first start makes the folder and gives it the supplied files, and no settings file.
start first
test "$(ls "$folder" | tr '\n' ' ')" = "4209.txt 424.txt 490.txt 518.txt capture.txt mapper.pnt " ||
    fail "the folder holds: $(ls "$folder" | tr '\n' ' ')"
for pair in stations/424.txt:424.txt stations/490.txt:490.txt stations/518.txt:518.txt \
    stations/4209.txt:4209.txt mapper.pnt:mapper.pnt capture-sample.txt:capture.txt; do
    cmp -s "$data/${pair%%:*}" "$folder/${pair#*:}" || fail "${pair#*:} is not ${pair%%:*}"
done
grep -qx 'StationList.count=27' "$work/first.out" &&
    grep -qx 'StationList\[5\]=E - Niton (UK)' "$work/first.out" ||
    fail "no NAVAREA I stations on 518 kHz: $(cat "$work/first.out")"

# A second start keeps the user's own files.
echo changed >"$folder/424.txt"
echo log >"$folder/navtex.txt"
start second
test "$(cat "$folder/424.txt") $(cat "$folder/navtex.txt")" = "changed log" ||
    fail "the second start replaced a file of the user's"

# No data beside the program, or a per-user folder that cannot be made (its parent is a file):
# a message naming the path, and status 2, in the desktop program too.
mkdir -p "$work/bare/bin"
cp "$work/prefix/bin/fenlark" "$work/bare/bin/"
: >"$work/file"
expect() {
    message=$1
    shift
    status=0
    "$@" --user-folder </dev/null >"$work/refused.err" 2>&1 || status=$?
    test "$status" = 2 && grep -qF "$message" "$work/refused.err" ||
        fail "$* --user-folder: status $status, $(cat "$work/refused.err")"
}
expect "\"$work/bare/share/fenlark/424.txt\" is missing" \
    env XDG_DATA_HOME="$work/fresh" "$work/bare/bin/fenlark" --headless
expect "cannot make the folder \"$work/file/fenlark\"" \
    env XDG_DATA_HOME="$work/file" "$work/prefix/bin/fenlark" --headless
expect "cannot make the folder \"$work/file/fenlark\"" \
    env XDG_DATA_HOME="$work/file" QT_QPA_PLATFORM=offscreen "$work/prefix/bin/fenlark"
echo "passed"
