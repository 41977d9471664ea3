#!/usr/bin/env bash
# Runs every benchmark and measuring script and prints the figures that
# bench/README.md tabulates. Needs a RelWithDebInfo build with the benchmarks
# (the test command's build/ is one) and, for the decoder comparison,
# gpsdecode from the Debian package gpsd-clients.
#
#   bash bench/run-all.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${1:-build}
bin="$build/bin"
for program in codec_benchmark navoro_ais_bench navoro_diagnosis_bench navoro_shell_bench; do
    [ -x "$bin/$program" ] || { echo "run-all: $bin/$program not built" >&2; exit 1; }
done
export QT_QPA_PLATFORM=offscreen

echo "==> codec: sentences through the router, one core"
"$bin/codec_benchmark" --benchmark_min_time=1
echo "==> AIS: decode and file in the target table, one core"
"$bin/navoro_ais_bench" --benchmark_min_time=1
if command -v gpsdecode >/dev/null; then
    echo "==> navoro-decode against gpsdecode"
    python3 bench/compare_decoders.py --build "$build" --no-benchmark
else
    echo "==> navoro-decode against gpsdecode: skipped (apt-get install gpsd-clients)"
fi
echo "==> the main window's receive path"
"$bin/navoro_diagnosis_bench"
echo "==> start-up and memory of the main window"
python3 bench/shell_figures.py --build "$build"
