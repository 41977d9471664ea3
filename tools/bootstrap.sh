#!/usr/bin/env bash
# Installs what Navoro needs on Debian 12, builds it, and then either starts the
# demo or runs every test.
#
#   bash tools/bootstrap.sh demo   install, build, start the demo
#   bash tools/bootstrap.sh test   install, build, run all tests (what CI runs)
#
# Environment: BUILD_DIR (default: build), NAVORO_SKIP_INSTALL=1 to skip apt-get,
# JOBS (default: number of cores), FUZZ_SECONDS (per fuzzer in the test run, default 10).
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
mode=${1:-}
BUILD_DIR=${BUILD_DIR:-build}
JOBS=${JOBS:-$(nproc)}

PACKAGES=(
    build-essential cmake ninja-build pkg-config git
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev libgl-dev
    libudev-dev nlohmann-json3-dev zlib1g-dev
    xvfb xauth
    clang libclang-rt-14-dev
    dpkg-dev file desktop-file-utils appstream
    fonts-wqy-microhei
)

# Announces a step, with the minutes and seconds taken so far.
step() {
    printf '==> %s (at %dm%02ds)\n' "$1" $((SECONDS / 60)) $((SECONDS % 60))
}

install_packages() {
    [ "${NAVORO_SKIP_INSTALL:-0}" = 1 ] && return 0
    local sudo=()
    if [ "$(id -u)" != 0 ]; then
        command -v sudo >/dev/null || { echo "bootstrap: run as root or install sudo" >&2; exit 1; }
        sudo=(sudo)
    fi
    step "installing packages"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${PACKAGES[@]}" >/dev/null
}

build() {
    step "building in $BUILD_DIR"
    # Optimised without debug information: it builds in half the time.
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DNAVORO_WERROR=ON "$@"
    cmake --build "$BUILD_DIR" -j "$JOBS"
}

run_tests() {
    step "running tests"
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$JOBS"
}

# The Debian package: built with cpack, installed into temporary roots (with
# cmake --install and from the .deb), and run from there.
check_package() {
    step "building the Debian package and checking installed copies"
    rm -f "$BUILD_DIR"/navoro_*.deb
    (cd "$BUILD_DIR" && cpack -G DEB >/dev/null)
    local root
    root=$(mktemp -d)
    DESTDIR="$root/destdir" cmake --install "$BUILD_DIR" --prefix /usr >/dev/null
    dpkg-deb -x "$BUILD_DIR"/navoro_*.deb "$root/deb"
    for tree in "$root/destdir" "$root/deb"; do
        "$tree/usr/bin/navoro-decode" --help >/dev/null
        "$tree/usr/bin/navoro" --version
        "$tree/usr/bin/navoro-sim" --help >/dev/null
        "$tree/usr/bin/navoro-config" --help >/dev/null
        test -f "$tree/usr/share/navoro/Lang/Lang-RU.ini"
        desktop-file-validate "$tree/usr/share/applications/org.navoro.Navoro.desktop"
        appstreamcli validate --no-net "$tree/usr/share/metainfo/org.navoro.Navoro.metainfo.xml" >/dev/null
    done
    dpkg-deb -f "$BUILD_DIR"/navoro_*.deb Depends
    rm -rf "$root"
}

# Every test again, the window's included (offscreen), built with
# AddressSanitizer and UndefinedBehaviorSanitizer (lightly optimised, with the
# line tables their reports need); the fault soak shorter. The benchmarks and
# the screenshot programs are not built there.
run_sanitizer_tests() {
    local dir="$BUILD_DIR-sanitize"
    step "building and running every test with ASan + UBSan in $dir"
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
        -DNAVORO_WERROR=ON -DNAVORO_BENCHMARKS=OFF -DNAVORO_SCREENSHOTS=OFF -DNAVORO_SANITIZE=ON
    cmake --build "$dir" -j "$JOBS"
    QT_QPA_PLATFORM=offscreen NAVORO_SOAK_SECONDS=20 \
        ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --test-dir "$dir" --output-on-failure -j "$JOBS"
}

case "$mode" in
    demo)
        install_packages
        build
        if [ -x "$BUILD_DIR/bin/navoro" ]; then
            exec "$BUILD_DIR/bin/navoro" --simulate
        fi
        exec "$BUILD_DIR/bin/navoro-decode" tests/data/sample.nmea
        ;;
    test)
        install_packages
        build
        run_tests
        check_package
        run_sanitizer_tests
        step "fuzz smoke"
        bash fuzz/run-smoke.sh "${FUZZ_SECONDS:-10}"
        step "all checks passed"
        ;;
    *)
        echo "usage: bash tools/bootstrap.sh demo|test" >&2
        exit 2
        ;;
esac
