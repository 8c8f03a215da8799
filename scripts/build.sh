#!/usr/bin/env bash
# Configures and builds FenLark in build/ (release build with debug information). Arguments go to
# the build: scripts/build.sh --target fenlark builds the program alone.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" "$@"
