#!/usr/bin/env bash
# Sets everything up, builds FenLark and runs all its tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
ctest --test-dir build --output-on-failure -j "$(nproc)"
