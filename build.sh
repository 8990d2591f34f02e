#!/bin/sh
# Sets up a Debian 12 machine for the wizard, builds it, and runs it or its tests.
#
#   ./build.sh run        install what is missing, build, start the wizard
#   ./build.sh test       install what is missing, build, run the test suite
#   ./build.sh each       build, then run every test function alone by name
#   ./build.sh sanitize   the test suite in a build with address and UB sanitizers
#   ./build.sh fuzz [S]   build the fuzz targets with clang and run each for S seconds
#   ./build.sh bench [R]  build and run the benchmarks; with a revision R, also
#                         time R's unattended run side by side
#
# Works as root, or as a normal user with sudo for the package installation.
set -eu

cd "$(dirname "$0")"
jobs=$(nproc 2>/dev/null || echo 2)

need() {
    missing=""
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing="$missing $package"
    done
    [ -z "$missing" ] && return 0
    echo "Installing:$missing"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
}

# Qt's translation tools build the catalogs; qt6-translations-l10n holds Qt's
# own texts in other languages, which the wizard loads at start.
base_packages="cmake make g++ qt6-base-dev libgl-dev qt6-tools-dev qt6-tools-dev-tools
    qt6-l10n-tools qt6-translations-l10n"
test_packages="desktop-file-utils man-db groff-base dpkg-dev file xvfb xauth
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 libxml2-utils"

build() {
    dir=$1
    shift
    cmake -S . -B "$dir" "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
}

case "${1:-run}" in
run)
    need $base_packages
    build build
    cd build && exec ./wiz
    ;;
test)
    need $base_packages $test_packages
    build build
    cd build && ctest --output-on-failure -j "$jobs"
    ;;
each)
    need $base_packages $test_packages
    build build
    exec sh tests/each_function.sh build 60 "$jobs"
    ;;
sanitize)
    need $base_packages $test_packages
    # A library cut short dies of SIGBUS in the listing child, which must be
    # seen as that signal, not as the sanitizer's report of it.
    build build-sanitize -DWIZ_SANITIZE=ON
    cd build-sanitize &&
        ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:handle_sigbus=0 \
        LSAN_OPTIONS="suppressions=$(pwd)/../tests/lsan.supp:print_suppressions=0" \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --output-on-failure -j "$jobs"
    ;;
fuzz)
    need $base_packages clang libclang-rt-14-dev
    CXX=clang++ cmake -S . -B build-fuzz -DWIZ_BUILD_TESTS=OFF -DWIZ_FUZZ=ON >/dev/null
    targets="fuzz_expand fuzz_arguments fuzz_replace fuzz_manifest fuzz_placeholders"
    # shellcheck disable=SC2086
    cmake --build build-fuzz -j "$jobs" --target $targets
    seconds=${2:-30}
    for target in $targets; do
        echo "== $target, $seconds s"
        mkdir -p "build-fuzz/corpus/$target"
        "build-fuzz/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
            "build-fuzz/corpus/$target" "fuzz/corpus/$target"
    done
    ;;
bench)
    need $base_packages libbenchmark-dev hyperfine python3
    build build-bench -DWIZ_BUILD_TESTS=OFF -DWIZ_BENCHMARKS=ON -DCMAKE_BUILD_TYPE=Release
    [ -n "${2:-}" ] || exec sh bench/run.sh build-bench
    # The other revision's sources in a scratch work tree, built alike. The
    # same paths every time, so a second run rebuilds only what changed.
    git worktree remove --force build-bench-base/source 2>/dev/null || true
    git worktree add --detach build-bench-base/source "$2" >/dev/null
    trap 'git worktree remove --force build-bench-base/source' EXIT
    cmake -S build-bench-base/source -B build-bench-base/build -DWIZ_BUILD_TESTS=OFF \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build-bench-base/build -j "$jobs" --target wiz
    sh bench/run.sh build-bench build-bench-base/build
    ;;
*)
    sed -n '2,11p' "$0"
    exit 2
    ;;
esac
