# Sourced by the scripts that run the Windows test programs: one persistent wineserver serves
# every test process, and an Xvfb display serves the tests that open windows.
#   start_services   starts both (needs BUILD and WINEPREFIX), exports DISPLAY
#   stop_services    stops what start_services started; installed as the EXIT trap
xvfb_pid=
wineserver_started=

stop_services() {
    if [[ -n $wineserver_started ]]; then
        wineserver -k >/dev/null 2>&1 || true
        wineserver_started=
    fi
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=
    fi
}
trap stop_services EXIT
trap 'exit 130' INT TERM HUP

start_services() {
    local fd_file=$BUILD/logs/xvfb.display
    mkdir -p "$BUILD/logs"
    : >"$fd_file"
    # -displayfd: Xvfb picks a free display number and writes it once it accepts connections.
    Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$fd_file" >"$BUILD/logs/xvfb.log" 2>&1 &
    xvfb_pid=$!
    local i
    for ((i = 0; i < 100; i++)); do
        [[ -s $fd_file ]] && break
        kill -0 "$xvfb_pid" 2>/dev/null || { echo "Xvfb exited (see $BUILD/logs/xvfb.log)" >&2; return 1; }
        sleep 0.1
    done
    [[ -s $fd_file ]] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=:$(tr -d '[:space:]' <"$fd_file")
    echo "Xvfb on DISPLAY=$DISPLAY"

    local server=/usr/lib/wine/wineserver64
    [[ -x $server ]] || server=wineserver
    "$server" -p || { echo "wineserver did not start" >&2; return 1; }
    wineserver_started=1

    # The first Wine process starts Wine's own services and desktop process, which outlive it
    # and keep its standard streams open: started here, away from CTest's pipes, which would
    # otherwise stay open and hold the first test until its time-out.
    local wine=/usr/lib/wine/wine64
    [[ -x $wine ]] || wine=$(command -v wine64 || command -v wine)
    "$wine" cmd.exe /c exit 0 </dev/null >/dev/null 2>&1 || { echo "wine cannot run a program" >&2; return 1; }
    # Unmanaged, the dialogs of the application core's tests close at once instead of waiting
    # about 2 s each for a window manager that the display lacks.
    local program
    for program in app_tests.exe editor_library_tests.exe; do
        "$wine" reg add "HKCU\\Software\\Wine\\AppDefaults\\$program\\X11 Driver" /v Managed /d N /f \
            </dev/null >/dev/null 2>&1 || { echo "wine reg failed" >&2; return 1; }
    done
}
