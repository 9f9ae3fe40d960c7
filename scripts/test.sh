#!/usr/bin/env bash
# Sets the machine up, then builds and tests both builds:
#   build/native   the portable data layer, clang with AddressSanitizer and UBSan
#   build/windows  everything, cross-built with mingw-w64, test programs run under Wine
# Exits non-zero when any step fails and names the failed steps at the end.
#
#   scripts/test.sh soak   builds the Windows build and runs only the soak test, verbosely, for a
#                          longer run by hand: NV_SOAK_ACTIONS (actions), NV_SOAK_SEED (the seed a
#                          failure prints) and NV_SOAK_SECONDS (at most this long) choose it.
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=$ROOT/build
JOBS=$(nproc 2>/dev/null || echo 4)
cd "$ROOT"

failed=()
started=$SECONDS

banner() { printf '\n==== %s\n' "$*"; }

# step NAME COMMAND...: runs one step and records a failure.
step() {
    local name=$1; shift
    banner "$name"
    local t=$SECONDS
    if "$@"; then
        echo "---- $name: ok ($((SECONDS - t)) s)"
        return 0
    fi
    echo "---- $name: FAILED" >&2
    failed+=("$name")
    return 1
}

finish() {
    banner "summary ($((SECONDS - started)) s)"
    if ((${#failed[@]})); then
        printf 'FAILED step: %s\n' "${failed[@]}" >&2
        exit 1
    fi
    echo "all steps passed"
    exit 0
}

soak=
[[ ${1:-} == soak ]] && soak=1

step "setup" bash "$ROOT/scripts/setup.sh" || finish

CTEST=(ctest --output-on-failure --no-tests=error --timeout 300 -j "$JOBS")

# ---------------------------------------------------------------------------------------------
# Native build: portable data layer under the sanitizers.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:check_initialization_order=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
[[ -z $soak ]] && step "native: configure" cmake -S "$ROOT" -B "$BUILD/native" -G Ninja \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DNV_PORTABLE_ONLY=ON -DNV_SANITIZE=ON -DNV_FUZZ=ON &&
    step "native: build" cmake --build "$BUILD/native" -j "$JOBS" &&
    step "native: test" "${CTEST[@]}" --test-dir "$BUILD/native"

# ---------------------------------------------------------------------------------------------
# Windows build, tests under Wine. One persistent wineserver serves every test process, and an
# Xvfb display serves the tests that open windows.
export WINEPREFIX=$BUILD/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# shellcheck source=scripts/wine-services.sh
source "$ROOT/scripts/wine-services.sh"

step "windows: configure" cmake -S "$ROOT" -B "$BUILD/windows" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/Toolchain-mingw64.cmake" &&
    step "windows: build" cmake --build "$BUILD/windows" -j "$JOBS" &&
    step "windows: start Xvfb and wineserver" start_services &&
    if [[ -n $soak ]]; then
        step "windows: soak" ctest --output-on-failure --no-tests=error -V --test-dir "$BUILD/windows" \
            -R '^editor_soak_tests$' --timeout $((${NV_SOAK_SECONDS:-100} + 900))
    else
        step "windows: test" "${CTEST[@]}" --test-dir "$BUILD/windows"
    fi
stop_services

finish
