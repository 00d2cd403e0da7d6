# Sourced by the scripts: installs what is missing, and sets up Wine and a display.
# shellcheck shell=bash
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VELMORA_BUILD:-$root/build}
export WINEPREFIX=${WINEPREFIX:-$build/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-winemenubuilder.exe=d;winedbg.exe=d;mscoree=d;mshtml=d}

velmora_packages=(cmake make g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 wine xvfb xauth
                  fonts-wine googletest xdotool imagemagick msitools wixl)

# Installs the Debian packages named (the build's and the tests' when none is named) that are missing.
install_missing() {
    local wanted=("$@") missing=()
    [ ${#wanted[@]} -gt 0 ] || wanted=("${velmora_packages[@]}")
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
    fi
}

# Builds the targets named (every target when none is named).
configure_and_build() {
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
              -DCMAKE_BUILD_TYPE=Release >/dev/null
    fi
    local targets=()
    for target in "$@"; do targets+=(--target "$target"); done
    cmake --build "$build" -j"$(nproc)" "${targets[@]}" -- --no-print-directory
}

# Starts a private X display unless VELMORA_DISPLAY names one to use; sets DISPLAY.
xvfb_pid=""
start_display() {
    if [ -n "${VELMORA_DISPLAY:-}" ]; then export DISPLAY=$VELMORA_DISPLAY; return; fi
    local fifo; fifo=$(mktemp -u); mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
    xvfb_pid=$!
    local number; read -r number <"$fifo"; rm -f "$fifo"
    export DISPLAY=":$number"
}

# Keeps one wineserver alive so each program starts in well under a second.
start_wine() {
    mkdir -p "$build"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix in $WINEPREFIX (once)"
        wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
    # Already running (an earlier run's, or a developer's own) serves as well.
    wineserver -p 2>/dev/null || true
    # Every program runs inside one virtual desktop: it has a notification area, and without
    # an X window manager Wine would wait seconds on each minimise or restore.
    if [ ! -f "$WINEPREFIX/.velmora-desktop" ]; then
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
        touch "$WINEPREFIX/.velmora-desktop"
    fi
    # Debian's Wine does not find the fonts of the fonts-wine package by itself: without Marlett
    # the caption buttons are drawn as letters, and "MS Sans Serif" falls back to another face.
    local fonts="$WINEPREFIX/drive_c/windows/Fonts" font
    for font in /usr/share/wine/fonts/*; do
        [ -e "$fonts/$(basename "$font")" ] || cp "$font" "$fonts/"
    done
    # Start Wine's background services now, with no terminal attached: started by the first
    # test instead, they would inherit its output pipe and ctest would wait on them forever.
    wine wineboot >/dev/null 2>&1 </dev/null
}

stop_all() {
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}

# What every script that runs the program's builds does first: installs what is missing, builds
# the targets named (all when none is), and starts a display and Wine, stopped again at exit.
prepare_wine_run() {
    install_missing
    configure_and_build "$@"
    trap stop_all EXIT
    start_display
    start_wine
}
