#!/usr/bin/env bash
# Prepares a Debian machine for both builds; safe to run again, skips whatever is in place:
#   1. the Debian packages the builds and tests need,
#   2. libpng, built for Windows from Debian's source package into deps/,
#   3. the Wine prefix for running the Windows test programs (build/wineprefix), with Wine's own
#      fonts and a Japanese face for Japanese text.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
DEPS=${NV_DEPS_DIR:-$ROOT/deps}
BUILD=$ROOT/build
LOGS=$BUILD/logs
mkdir -p "$LOGS"

export DEBIAN_FRONTEND=noninteractive

say() { echo "setup: $*"; }
die() { echo "setup: error: $*" >&2; exit 1; }

# Runs a command quietly; on failure shows the end of its output.
quiet() {
    local log=$1; shift
    if ! "$@" >"$log" 2>&1; then
        tail -n 40 "$log" >&2
        die "'$*' failed (full output: $log)"
    fi
}

SUDO=()
if [[ $(id -u) != 0 ]]; then
    command -v sudo >/dev/null || die "not root and no sudo to install packages"
    SUDO=(sudo -E)
fi

# ---------------------------------------------------------------------------------------------
# 1. Packages
PACKAGES=(
    # cross compiler for 64-bit Windows, posix thread model
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
    # Windows libraries
    libz-mingw-w64-dev juce-modules-source-data
    # running the Windows programs: Wine, its fonts and the X libraries its display driver loads
    wine wine64 fonts-wine xvfb xauth
    # the Japanese interface: a Japanese font for Wine to draw with, and the locale data
    fonts-ipafont-gothic locales
    libxrender1 libxrandr2 libxi6 libxcursor1 libxcomposite1 libxinerama1 libxfixes3
    # build tools and tests
    cmake ninja-build googletest
    # native sanitizer and fuzzer build
    clang libclang-rt-14-dev libpng-dev
    # the skin generator (tools/skingen): drawing, its fonts
    libcairo2-dev libfreetype-dev pkg-config fonts-dejavu-core xfonts-base
    # fetching and unpacking Debian source packages
    dpkg-dev patch xz-utils gpgv debian-archive-keyring
)

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -qx 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    say "installing ${missing[*]}"
    APT=(apt-get -o DPkg::Lock::Timeout=900 -o Acquire::Retries=3 -q -y)
    quiet "$LOGS/apt-update.log" "${SUDO[@]}" "${APT[@]}" update
    quiet "$LOGS/apt-install.log" "${SUDO[@]}" "${APT[@]}" install --no-install-recommends "${missing[@]}"
fi

# The Japanese user locale that the tests of the Japanese interface start the program in: Wine
# takes the user's language from LANG/LC_ALL, which glibc honours only for a generated locale.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8'; then
    say "generating the ja_JP.UTF-8 locale"
    quiet "$LOGS/localedef.log" "${SUDO[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi

# ---------------------------------------------------------------------------------------------
# 2. libpng: Debian has no mingw build of it. The source package comes through a private
# source list and private apt state, leaving the system's lists alone.
PNG=$DEPS/libpng
if [[ ! -f $PNG/install/.complete ]]; then
    say "building libpng for Windows in $PNG"
    rm -rf "$PNG"
    mkdir -p "$PNG/apt/lists/partial" "$PNG/apt/cache/archives/partial" "$PNG/apt/parts"
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    [[ -n $codename ]] || die "cannot tell the Debian suite from /etc/os-release"
    mirror=${NV_DEBIAN_MIRROR:-http://deb.debian.org}
    keyring=/usr/share/keyrings/debian-archive-keyring.gpg
    cat >"$PNG/apt/sources.list" <<EOF
deb-src [signed-by=$keyring] $mirror/debian $codename main
deb-src [signed-by=$keyring] $mirror/debian $codename-updates main
deb-src [signed-by=$keyring] $mirror/debian-security $codename-security main
EOF
    APT_OPTS=(-o Dir::Etc::SourceList="$PNG/apt/sources.list"
        -o Dir::Etc::SourceParts="$PNG/apt/parts"
        -o Dir::State::Lists="$PNG/apt/lists"
        -o Dir::Cache="$PNG/apt/cache"
        -o APT::Sandbox::User=root
        -o Acquire::Retries=3)
    quiet "$LOGS/libpng-apt-update.log" apt-get -q -y "${APT_OPTS[@]}" update
    # Newest version first; an archive missing one version's files falls back to the next.
    versions=$(apt-cache "${APT_OPTS[@]}" showsrc libpng1.6 | sed -n 's/^Version: //p' | sort -rVu)
    [[ -n $versions ]] || die "no libpng1.6 source package in the archive (see $LOGS/libpng-apt-update.log)"
    fetched=
    : >"$LOGS/libpng-apt-source.log"
    for v in $versions; do
        if (cd "$PNG" && apt-get -q -y "${APT_OPTS[@]}" source "libpng1.6=$v") >>"$LOGS/libpng-apt-source.log" 2>&1; then
            fetched=$v
            break
        fi
        say "libpng1.6 $v could not be fetched, trying an older version"
        find "$PNG" -mindepth 1 -maxdepth 1 ! -name apt -exec rm -rf {} +
    done
    [[ -n $fetched ]] || die "libpng1.6 sources could not be fetched (see $LOGS/libpng-apt-source.log)"
    src=$(find "$PNG" -mindepth 1 -maxdepth 1 -type d -name 'libpng1.6-*' | head -n 1)
    [[ -n $src && -f $src/CMakeLists.txt ]] || die "libpng sources not unpacked (see $LOGS/libpng-apt-source.log)"

    quiet "$LOGS/libpng-configure.log" cmake -S "$src" -B "$PNG/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/Toolchain-mingw64.cmake" \
        -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$PNG/install" \
        -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
        -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_FILES=ON \
        -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include \
        -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a
    quiet "$LOGS/libpng-build.log" cmake --build "$PNG/build"
    quiet "$LOGS/libpng-install.log" cmake --install "$PNG/build"
    [[ -f $PNG/install/include/png.h ]] || die "libpng did not install png.h"
    echo "libpng1.6 $fetched" >"$PNG/install/.complete"
    rm -rf "$PNG/apt" "$PNG/build"
fi

# ---------------------------------------------------------------------------------------------
# 3. Wine prefix. Mono and Gecko are not installed (nothing uses .NET or HTML).
WINE64=/usr/lib/wine/wine64
[[ -x $WINE64 ]] || WINE64=$(command -v wine64 || command -v wine) || die "wine is not installed"
export WINEPREFIX=$BUILD/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [[ ! -f $WINEPREFIX/.complete ]]; then
    say "creating the Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    # No display while the prefix is made, so no window appears anywhere.
    quiet "$LOGS/wineboot.log" env -u DISPLAY "$WINE64" wineboot -i
    quiet "$LOGS/wineserver-wait.log" wineserver -w
    [[ -f $WINEPREFIX/system.reg ]] || die "wineboot made no prefix (see $LOGS/wineboot.log)"
    touch "$WINEPREFIX/.complete"
fi
# Sets a registry value in the prefix; $1 names the log.
wine_reg() {
    quiet "$LOGS/$1" env -u DISPLAY "$WINE64" reg add "$2" /v "$3" /d "$4" /f
}
# No window manager runs on the test display: top-level windows are made unmanaged, else Wine
# waits two seconds for a manager each time one is destroyed.
if [[ ! -f $WINEPREFIX/.unmanaged ]]; then
    wine_reg wine-x11.log 'HKCU\Software\Wine\X11 Driver' Managed N
    quiet "$LOGS/wineserver-wait.log" wineserver -w
    touch "$WINEPREFIX/.unmanaged"
fi
# This Wine does not load the fonts of its fonts-wine package by itself; without them the caption
# buttons (Marlett) show as letters and menus and dialogs (Tahoma) come out in a fallback face, so
# they are copied into the prefix's Fonts folder. Japanese text: Wine names "MS UI Gothic" as the
# Japanese dialog font and as the font linked to Tahoma for CJK characters; that name is made the
# installed IPA P Gothic, and Uniscribe (edit controls) falls back to it for Han and Kana runs
# (script tags "hani" and "kana").
if [[ ! -f $WINEPREFIX/.fonts ]]; then
    say "giving the Wine prefix Wine's own fonts and a Japanese face"
    mapfile -t wine_fonts < <(dpkg -L fonts-wine | grep -iE '\.(ttf|fon)$')
    ((${#wine_fonts[@]})) || die "the fonts-wine package lists no fonts"
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -f "${wine_fonts[@]}" "$WINEPREFIX/drive_c/windows/Fonts/"
    wine_reg wine-fonts.log 'HKCU\Software\Wine\Fonts\Replacements' 'MS UI Gothic' IPAPGothic
    wine_reg wine-fonts.log 'HKCU\Software\Wine\Uniscribe\Fallback' 696e6168 'MS UI Gothic'
    wine_reg wine-fonts.log 'HKCU\Software\Wine\Uniscribe\Fallback' 616e616b 'MS UI Gothic'
    quiet "$LOGS/wineserver-wait.log" wineserver -w
    touch "$WINEPREFIX/.fonts"
fi

say "ready"
