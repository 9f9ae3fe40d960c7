#!/usr/bin/env bash
# Builds the program for Windows and starts it under Wine.
#
#   scripts/run.sh [--midi=simulated|--midi=system] [file.all ...]
#
# On a fresh Debian machine it first does the set-up that the tests need (packages, libpng for
# Windows, the Wine prefix; see scripts/setup.sh). With DISPLAY set the program opens there;
# without one it starts a virtual display of its own, says so, and writes a screenshot of the
# window after start-up to build/screenshots/run_main_frame.png.
#
# By default the program talks to the simulated instrument that the tests use: the stand-in
# winmm.dll beside the executable creates it and keeps its memory in the Wine prefix
# (users/<you>/AppData/Local/Nuvorn Simulated Instrument/memory.bin) between runs. --midi=system
# uses the system's MIDI ports instead.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=$ROOT/build
RUN_DIR=$BUILD/windows/run
midi=simulated
args=()
for a in "$@"; do
    case $a in
        --midi=simulated | --midi=system) midi=${a#--midi=} ;;
        --midi=*) echo "run: unknown MIDI choice '$a' (simulated or system)" >&2; exit 2 ;;
        *) args+=("$a") ;;
    esac
done

bash "$ROOT/scripts/setup.sh"
cmake -S "$ROOT" -B "$BUILD/windows" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/Toolchain-mingw64.cmake" >/dev/null
cmake --build "$BUILD/windows" -j "$(nproc)" --target nv_run_folder nv_capture

export WINEPREFIX=$BUILD/wineprefix WINEDEBUG=-all
if [[ $midi == simulated ]]; then
    export WINEDLLOVERRIDES="mscoree,mshtml=;winmm=n,b"
else
    export WINEDLLOVERRIDES="mscoree,mshtml=;winmm=b"
fi
wine=/usr/lib/wine/wine64
[[ -x $wine ]] || wine=$(command -v wine64 || command -v wine)
program=$RUN_DIR/NuvornSoundEditor.exe

if [[ -n ${DISPLAY:-} ]]; then
    echo "run: starting the program on DISPLAY=$DISPLAY (MIDI: $midi)"
    cd "$RUN_DIR"
    exec "$wine" "$program" "${args[@]}"
fi

# No display: a virtual one, for as long as the program runs.
mkdir -p "$BUILD/logs" "$BUILD/screenshots"
fd_file=$BUILD/logs/run-xvfb.display
: >"$fd_file"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fd_file" >"$BUILD/logs/run-xvfb.log" 2>&1 &
xvfb_pid=$!
program_pid=
cleanup() {
    [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP
for ((i = 0; i < 100; i++)); do
    [[ -s $fd_file ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { echo "run: Xvfb exited (see $BUILD/logs/run-xvfb.log)" >&2; exit 1; }
    sleep 0.1
done
[[ -s $fd_file ]] || { echo "run: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(tr -d '[:space:]' <"$fd_file")
echo "run: no DISPLAY set; started a virtual display $DISPLAY (MIDI: $midi)"

cd "$RUN_DIR"
"$wine" "$program" "${args[@]}" &
program_pid=$!
if "$wine" "$BUILD/windows/tests/e2e/nv_capture.exe" Q3580MDIFrameWindow run_main_frame 60000; then
    echo "run: screenshot of the window: $BUILD/screenshots/run_main_frame.png"
else
    echo "run: no screenshot could be taken" >&2
fi
echo "run: the program runs on the virtual display; press Ctrl+C to end it"
wait "$program_pid"
program_pid=
