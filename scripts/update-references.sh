#!/usr/bin/env bash
# Rewrites the reference images from the current build and prints which changed:
#   scripts/update-references.sh
# Builds the reference test programs in build/windows (configuring it first if needed), runs
# them under Wine and Xvfb with NV_UPDATE_REFERENCES=1, so that every rendering that differs
# from its reference (or has none) is written into tests/*/references/, then lists the images
# changed, added and those no test wrote. Review the images and commit them in one commit.
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=$ROOT/build
JOBS=$(nproc 2>/dev/null || echo 4)
DIRS=("$ROOT/tests/framework/references" "$ROOT/tests/editor/references")
TESTS='^(framework|editor)_reference_tests$'
cd "$ROOT"

[[ -f $BUILD/wineprefix/.unmanaged ]] || bash "$ROOT/scripts/setup.sh" || exit 1
if [[ ! -f $BUILD/windows/build.ninja ]]; then
    cmake -S "$ROOT" -B "$BUILD/windows" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/Toolchain-mingw64.cmake" ||
        exit 1
fi
cmake --build "$BUILD/windows" -j "$JOBS" --target framework_reference_tests editor_reference_tests || exit 1

export WINEPREFIX=$BUILD/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# shellcheck source=scripts/wine-services.sh
source "$ROOT/scripts/wine-services.sh"

checksums() { find "${DIRS[@]}" -name '*.png' -exec sha1sum {} + 2>/dev/null | sort -k 2; }

before=$(checksums)
out=$BUILD/references
mkdir -p "$out"
rm -f "$out/written.list"
start_services || exit 1
NV_UPDATE_REFERENCES=1 ctest --output-on-failure --no-tests=error --timeout 600 -j 2 \
    --test-dir "$BUILD/windows" -R "$TESTS"
rc=$?
stop_services
after=$(checksums)

changed=0
while read -r sum path; do
    [[ -n $path ]] || continue
    old=$(awk -v p="$path" '$2 == p { print $1 }' <<<"$before")
    rel=${path#"$ROOT"/}
    if [[ -z $old ]]; then
        echo "added:   $rel"
        changed=$((changed + 1))
    elif [[ $old != "$sum" ]]; then
        echo "changed: $rel"
        changed=$((changed + 1))
    fi
done <<<"$after"
while read -r _ path; do
    [[ -n $path ]] || continue
    if ! grep -qxF "$path" "$out/written.list" 2>/dev/null; then
        echo "not written by any test (remove it if its rendering is gone): ${path#"$ROOT"/}"
    fi
done <<<"$after"
echo "$changed reference image(s) changed or added"
if ((rc != 0)); then
    echo "some reference tests failed for other reasons than their images (see above)" >&2
fi
exit "$rc"
