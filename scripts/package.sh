#!/usr/bin/env bash
# Sets everything up, builds the FenLark program and makes its Debian package in build/
# (fenlark_VERSION_ARCH.deb), to be installed with: apt install ./build/fenlark_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh --target fenlark fenlark_compressed_docs
cd build
cpack -G DEB
