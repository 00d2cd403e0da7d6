#!/usr/bin/env bash
# Installs what is missing, builds Velmora on the simulated network and starts it under Wine
# in a virtual desktop. On a machine without a display it starts a virtual one; then
# `scripts/shot.sh` saves a screenshot. Ends when the program ends.
set -euo pipefail
source "$(dirname "$0")/env.sh"
install_missing
configure_and_build
trap stop_all EXIT
if [ -z "${DISPLAY:-}" ]; then
    start_display
    echo "$DISPLAY" >"$build/display"
    echo "Virtual display $DISPLAY; screenshot: scripts/shot.sh [file.png]"
fi
start_wine
# Debian's Wine does not find the fonts of the fonts-wine package by itself: without Marlett the
# caption buttons are drawn as letters, without them "MS Sans Serif" falls back to another face.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
for font in /usr/share/wine/fonts/*; do
    [ -e "$fonts/$(basename "$font")" ] || cp "$font" "$fonts/"
done
cd "$build"
wine explorer /desktop=velmora,1024x768 velmora-simnet.exe
