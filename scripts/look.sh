#!/usr/bin/env bash
# Shows every window at 100%, 150% and 200%: runs the look tests (the disabled *Look* tests of
# test_app and test_profiles) with the Wine prefix's display DPI set to 96, 144 and 192, and
# saves what they show as PNG files in build/look/<dpi>/. The prefix is the tests' own: its DPI
# is set back to 96 however the script ends.
#   bash scripts/look.sh [dpi ...]
set -euo pipefail
source "$(dirname "$0")/env.sh"

# Wine reads the DPI from LogPixels when its server starts. The virtual desktop grows with the
# scale, as a screen that Windows runs at 150% or 200% is larger, so the windows still fit.
set_dpi() {
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$((1024 * $1 / 96))x$((768 * $1 / 96))" /f \
        >/dev/null 2>&1
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    wineserver -p 2>/dev/null || true
    wine wineboot >/dev/null 2>&1 </dev/null
}

finish() {
    set_dpi 96 || true
    stop_all
}

install_missing
configure_and_build test_app test_profiles
# A screen that holds the desktop at 200%; a display given in VELMORA_DISPLAY must be as large.
if [ -z "${VELMORA_DISPLAY:-}" ]; then
    fifo=$(mktemp -u); mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 2100x1600x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
    xvfb_pid=$!
    read -r number <"$fifo"; rm -f "$fifo"
    export DISPLAY=":$number"
else
    export DISPLAY=$VELMORA_DISPLAY
fi
start_wine
trap finish EXIT

dpis=("$@")
[ ${#dpis[@]} -gt 0 ] || dpis=(96 144 192)
for dpi in "${dpis[@]}"; do
    out="$build/look/$dpi"
    rm -rf "$out"
    mkdir -p "$out"
    set_dpi "$dpi"
    shots=$(winepath -w "$out")
    for program in test_app test_profiles; do
        VELMORA_SHOTS="$shots" wine "$build/tests/$program.exe" --gtest_also_run_disabled_tests \
            --gtest_filter='*Look*' --gtest_brief=1 </dev/null || echo "$program at $dpi DPI: a look test failed"
    done
    # The texts measured again with the fonts the screen's DPI gives (in the suite the screen
    # is at 96 and only the windows are scaled).
    VELMORA_SCREEN_DPI=$dpi wine "$build/tests/test_app.exe" --gtest_filter='TextFit*Scale' --gtest_brief=1 </dev/null ||
        echo "test_app at $dpi DPI: a text does not fit"

    for picture in "$out"/*.bmp; do
        [ -e "$picture" ] || continue
        convert "$picture" "${picture%.bmp}.png" && rm "$picture"
    done
    echo "$dpi DPI: $(ls "$out" | wc -l) pictures in $out"
done
