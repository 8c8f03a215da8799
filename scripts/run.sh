#!/usr/bin/env bash
# Sets everything up, builds the FenLark program (not its tests and benchmarks) and starts it in
# the working folder run/ with the supplied station files and map outline, a settings file whose
# port number is 0, and a simulated receiver playing the sample capture. Arguments, when given,
# replace the simulation (e.g. --serial /dev/ttyUSB0 to listen to a real receiver).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh --target fenlark

mkdir -p run
cp data/stations/424.txt data/stations/490.txt data/stations/518.txt data/stations/4209.txt \
    data/mapper.pnt run/
# The capture to replay is the user's to change: it is copied only when there is none.
if [ ! -f run/capture.txt ]; then
    cp data/capture-sample.txt run/capture.txt
fi
if [ ! -f run/fenlark.ini ]; then
    printf ' 0 \r\n9600\r\nn\r\n8\r\n1\r\n~\r\n' > run/fenlark.ini
fi

fenlark="$PWD/build/bin/fenlark"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat <<TXT
There is no display here (neither DISPLAY nor WAYLAND_DISPLAY is set), so the FenLark window
cannot open. The same program runs without a display as a scripted driver; this replays the
sample capture and lists what was filed:

  printf 'click mnucapture\nlist MessageList2\nclick Option4\nget Text6\nget Text12\n' | $fenlark --headless --dir run --script -

TXT
    printf 'click mnucapture\nlist MessageList2\nclick Option4\nget Text6\nget Text12\n' |
        "$fenlark" --headless --dir run --script -
    exit 0
fi
if [ $# -gt 0 ]; then
    exec "$fenlark" --dir run "$@"
fi
exec "$fenlark" --dir run --simulate "$PWD/data/capture-sample.txt"
