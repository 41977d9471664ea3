#!/usr/bin/env bash
# Builds the fuzzers with clang and runs each for a short while, seeded from the
# files they read (captures, language files). Any crash, leak or sanitizer report fails the run.
#
#   bash fuzz/run-smoke.sh [SECONDS_PER_TARGET]   (default 60)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${1:-${FUZZ_SECONDS:-60}}
dir=${FUZZ_BUILD_DIR:-build-fuzz}

CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DNAVORO_GUI=OFF -DNAVORO_BENCHMARKS=OFF -DNAVORO_FUZZ=ON -DNAVORO_SANITIZE=ON -DNAVORO_WERROR=ON
cmake --build "$dir" -j "${JOBS:-$(nproc)}" --target fuzzers

status=0
for fuzzer in "$dir"/bin/fuzz_*; do
    name=$(basename "$fuzzer")
    corpus="$dir/corpus/$name"
    mkdir -p "$corpus"
    # Seeds: the files each fuzzer's input is modelled on.
    case "$name" in
        fuzz_language_file) seeds=(app/Lang) ;;
        fuzz_settings_file) seeds=() ;;
        *) seeds=(tests/data) ;;
    esac
    echo "==> $name for ${seconds}s"
    if ! "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$dir/" -print_final_stats=1 "$corpus" "${seeds[@]}" \
        > "$dir/$name.log" 2>&1; then
        echo "!! $name found a problem:"
        tail -n 60 "$dir/$name.log"
        status=1
    else
        grep -E 'stat::number_of_executed_units|Done' "$dir/$name.log" | tail -n 2 || true
    fi
done
exit $status
