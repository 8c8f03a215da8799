#!/usr/bin/env bash
# Runs every measurement of the decoder's target table with fenlark-sitormeasure and
# fenlark_bench_sitor (built in build/bin, or BIN) and prints their results. Takes about an hour on two
# cores. The real recordings are read from RECORDINGS (default ../shared/data/audio) when there.
set -uo pipefail
cd "$(dirname "$0")/../.."
bin=${BIN:-build/bin}
m=$bin/fenlark-sitormeasure
rec=${RECORDINGS:-../shared/data/audio}
run() { echo "\$ $*"; "$@"; echo; }

run $m curve --messages 40 --from -9 --to -5 --step 0.5
run $m curve --messages 200 --from -6 --to -5
for variant in "--offset 250" "--offset -250" "--drift 30" "--drift -30" "--clock 0.01" \
               "--clock -0.01" "--reversed" "--centre 500" "--centre 2500" "--rate 48000" \
               "--rate 11025 --centre 1700" "--iq --rate 48000 --centre 504000"; do
    # shellcheck disable=SC2086
    run $m curve --messages 40 --from -8.5 --to -6.5 --step 0.5 $variant
done
run $m curve --fading --messages 40 --from 2 --to 2
run $m curve --fading --messages 40 --from 0 --to 6 --step 2
run $m start --messages 40 --snr 0
run $m start --messages 40 --snr -5
for source in noise rtty cw am; do
    run $m quiet --source $source --minutes 60 --snr 10
    run $m quiet --source $source --minutes 60 --snr -5
done
if [ -d "$rec" ]; then
    run $m file "$rec/mondolfo-11025.s16" --rate 11025
    run $m file "$rec/test-text-11025.s16" --rate 11025
    run $m file "$rec/wiki-44100.wav"
fi
run $bin/fenlark_bench_sitor --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
