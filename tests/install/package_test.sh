#!/bin/sh
# The Debian package: built by CPack from the build folder, it holds the program, its data, the
# menu entry, icon, AppStream file and man page, with the project's version and the libraries it
# links as dependencies.
#
# usage: package_test.sh BUILD_DIR VERSION WORK_DIR
set -eu
build=$1 version=$2 work=$3

fail() {
    echo "FAILED: $*"
    exit 1
}

rm -rf "$work"
mkdir -p "$work"
cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$work/cpack.log")"
deb=$work/fenlark_${version}_$(dpkg --print-architecture).deb
dpkg-deb -c "$deb" >"$work/contents"
for path in bin/fenlark share/fenlark/518.txt share/fenlark/mapper.pnt \
    share/fenlark/capture-sample.txt share/applications/org.fenlark.FenLark.desktop \
    share/icons/hicolor/scalable/apps/fenlark.svg share/metainfo/org.fenlark.FenLark.metainfo.xml \
    share/man/man1/fenlark.1; do
    grep -q " \./usr/$path\$" "$work/contents" || fail "no /usr/$path in the package"
done
dpkg-deb -f "$deb" Version | grep -qx "$version" || fail "version $(dpkg-deb -f "$deb" Version)"
depends=$(dpkg-deb -f "$deb" Depends)
echo "$depends" | grep -q libqt6widgets6 && echo "$depends" | grep -q qt6-qpa-plugins ||
    fail "depends on: $depends"
echo "passed: $(du -k "$deb" | cut -f1) KiB"
