#!/bin/sh
# FenLark as a user installs it: the Debian package's contents, and lintian finding nothing in it;
# the program installed to a temporary prefix and started headless with --user-folder as a new
# user, twice, then without its data and with a folder it cannot make; its version; and the
# options that --help, the README's table and the installed man page name.
#
# usage: install_test.sh BUILD_DIR SOURCE_DIR VERSION WORK_DIR
set -eu
build=$1 source=$2 version=$3 work=$4

fail() { echo "FAILED: $*" && exit 1; }

rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd -P)
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_RUNTIME_DIR
export LC_ALL=C HOME="$work/home" XDG_DATA_HOME="$work/data"

# The package, named with the project's version, with its files and the libraries it links.
cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$work/cpack.log")"
deb=$work/fenlark_${version}_$(dpkg --print-architecture).deb
contents=$(dpkg-deb -c "$deb")
for path in bin/fenlark share/fenlark/518.txt share/fenlark/capture-sample.txt \
    share/applications/org.fenlark.FenLark.desktop share/icons/hicolor/scalable/apps/fenlark.svg \
    share/metainfo/org.fenlark.FenLark.metainfo.xml share/man/man1/fenlark.1.gz \
    share/doc/fenlark/copyright share/doc/fenlark/changelog.gz; do
    echo "$contents" | grep -q " \./usr/$path\$" || fail "no /usr/$path in the package"
done
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "depends: $(dpkg-deb -f "$deb" Depends)"
# lintian finds nothing to say of the package, down to its pedantic tags (its overrides aside).
lintian --pedantic --fail-on error,warning,info,pedantic "$deb" >"$work/lintian.log" 2>&1 ||
    fail "lintian: $(cat "$work/lintian.log")"

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
fenlark=$prefix/bin/fenlark
folder=$XDG_DATA_HOME/fenlark
start() {
    echo 'list StationList' | "$fenlark" --headless --user-folder --script - >"$work/$1.out" 2>&1 ||
        fail "$1 start: $(cat "$work/$1.out")"
}

# The first start makes the folder and gives it the supplied files (the sample capture stays a
# sample), and no settings file.
start first
test "$(ls "$folder" | tr '\n' ' ')" = "4209.txt 424.txt 490.txt 518.txt mapper.pnt " ||
    fail "the folder holds: $(ls "$folder" | tr '\n' ' ')"
test "$(cd "$folder" && cat 424.txt 490.txt 518.txt 4209.txt mapper.pnt | cksum)" = \
    "$(cd "$source/data" && cat stations/424.txt stations/490.txt stations/518.txt \
        stations/4209.txt mapper.pnt | cksum)" ||
    fail "the folder's files are not the supplied ones"
grep -qx 'StationList.count=27' "$work/first.out" &&
    grep -qx 'StationList\[5\]=E - Niton (UK)' "$work/first.out" ||
    fail "no NAVAREA I stations on 518 kHz: $(cat "$work/first.out")"

# A second start keeps the user's own files.
echo changed >"$folder/424.txt"
echo log >"$folder/navtex.txt"
start second
test "$(cat "$folder/424.txt") $(cat "$folder/navtex.txt")" = "changed log" ||
    fail "the second start replaced a file of the user's"

# Refusals: status 2 and a message naming the path, in the desktop program too. No data beside the
# program; a per-user folder whose parent is a file.
expect() {
    message=$1
    shift
    status=0
    "$@" </dev/null >"$work/refused.err" 2>&1 || status=$?
    test "$status" = 2 && grep -qF "$message" "$work/refused.err" ||
        fail "$*: status $status, $(cat "$work/refused.err")"
}
mkdir -p "$work/bare/bin"
cp "$fenlark" "$work/bare/bin/"
: >"$work/file"
expect "\"$work/bare/share/fenlark/424.txt\" is missing" \
    env XDG_DATA_HOME="$work/fresh" "$work/bare/bin/fenlark" --headless --user-folder
expect "cannot make the folder \"$work/file/fenlark\"" \
    env XDG_DATA_HOME="$work/file" "$fenlark" --headless --user-folder
expect "cannot make the folder \"$work/file/fenlark\"" \
    env XDG_DATA_HOME="$work/file" QT_QPA_PLATFORM=offscreen "$fenlark" --user-folder

# The version, and the same options in --help, the README and the man page.
test "$("$fenlark" -v)" = "FenLark $version" || fail "-v prints: $("$fenlark" -v)"
help=$("$fenlark" --help | sed -n 's/^  \(-., \)\{0,1\}\(--[a-z-]*\).*/\2/p' | sort | tr '\n' ' ')
readme=$(sed -n 's/^| `\(-.`, `\)\{0,1\}\(--[a-z-]*\).*/\2/p' "$source/README.md" | sort | tr '\n' ' ')
manual=$(gzip -dc "$prefix/share/man/man1/fenlark.1.gz" | sed -n '/^\.TP/{n;s/\\-/-/g;p;}' |
    grep -o -- '--[a-z-]*' | sort | tr '\n' ' ')
test -n "$help" && test "$help" = "$readme" && test "$help" = "$manual" ||
    fail "options in --help: $help; in the README: $readme; in the man page: $manual"
echo "passed"
