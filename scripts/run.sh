#!/usr/bin/env bash
# Builds the program for Windows and starts it under Wine on the current display (an Xvfb of
# its own when there is none).
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=$ROOT/build
bash "$ROOT/scripts/setup.sh"
cmake -S "$ROOT" -B "$BUILD/windows" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/Toolchain-mingw64.cmake" >/dev/null
cmake --build "$BUILD/windows" -j "$(nproc)" --target NuvornSoundEditor
export WINEPREFIX=$BUILD/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
[[ -x $wine ]] || wine=$(command -v wine64 || command -v wine)
if [[ -z ${DISPLAY:-} ]]; then
    exec xvfb-run -a "$wine" "$BUILD/windows/editor/NuvornSoundEditor.exe" "$@"
fi
exec "$wine" "$BUILD/windows/editor/NuvornSoundEditor.exe" "$@"
