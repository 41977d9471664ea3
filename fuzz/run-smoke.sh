#!/usr/bin/env bash
# Builds the fuzzers with clang and runs each for a while, one per core, seeded
# from the files they read (captures, simulator output, language files) and, for
# the NMEA inputs, with the token dictionary fuzz/nmea.dict. Any crash, leak,
# time-out or sanitizer report fails the run.
#
#   bash fuzz/run-smoke.sh [SECONDS_PER_TARGET] [FUZZER...]   (default 60, all)
#
# The corpus of each fuzzer grows in $FUZZ_BUILD_DIR/corpus/NAME (default
# build-fuzz/), so a longer run later starts where this one stopped.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${1:-${FUZZ_SECONDS:-60}}
shift || true
dir=${FUZZ_BUILD_DIR:-build-fuzz}

CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DNAVORO_GUI=OFF -DNAVORO_BENCHMARKS=OFF -DNAVORO_FUZZ=ON -DNAVORO_SANITIZE=ON -DNAVORO_WERROR=ON
cmake --build "$dir" -j "${JOBS:-$(nproc)}" --target fuzzers

if [ $# -gt 0 ]; then
    fuzzers=("$@")
else
    fuzzers=()
    for fuzzer in "$dir"/bin/fuzz_*; do fuzzers+=("$(basename "$fuzzer")"); done
fi

# Runs one fuzzer; its log is $dir/NAME.log, its result the exit status.
run_fuzzer() {
    local name=$1
    local fuzzer="$dir/bin/$name"
    local corpus="$dir/corpus/$name"
    mkdir -p "$corpus"
    # Seeds: the files each fuzzer's input is modelled on (read, never written).
    local seeds=() options=()
    case "$name" in
        fuzz_language_file) seeds=(app/Lang) ;;
        fuzz_settings_file) seeds=(fuzz/seeds/settings) ;;
        fuzz_config_file)
            seeds=(fuzz/seeds/config)
            options=(-dict=fuzz/json.dict -max_len=16384)
            ;;
        fuzz_target_table) seeds=() ;;
        fuzz_data_log_recovery)
            seeds=(fuzz/seeds/datalog)
            options=(-dict=fuzz/datalog.dict -max_len=8192)
            ;;
        *)
            seeds=(tests/data fuzz/seeds/nmea)
            options=(-dict=fuzz/nmea.dict -max_len=8192)
            ;;
    esac
    "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        "${options[@]}" -artifact_prefix="$dir/$name-" -print_final_stats=1 "$corpus" "${seeds[@]}" \
        > "$dir/$name.log" 2>&1
}

# As many fuzzers at a time as there are cores; each reported when it ends.
parallel=${JOBS:-$(nproc)}
status=0
declare -A running=()
report() {
    local name=${running[$1]} result=$2
    unset "running[$1]"
    if [ "$result" = 0 ]; then
        echo "==> $name: ${seconds}s, clean"
        grep -E 'stat::number_of_executed_units' "$dir/$name.log" | tail -n 1 || true
    else
        echo "!! $name found a problem:"
        tail -n 60 "$dir/$name.log"
        status=1
    fi
}
# Waits for the next fuzzer to end and reports it.
report_next() {
    local finished result=0
    wait -n -p finished || result=$?
    report "$finished" "$result"
}
for name in "${fuzzers[@]}"; do
    while [ "${#running[@]}" -ge "$parallel" ]; do report_next; done
    run_fuzzer "$name" &
    running[$!]=$name
done
while [ "${#running[@]}" -gt 0 ]; do report_next; done
exit $status
