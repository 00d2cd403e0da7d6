#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's private prefix; ctest uses it for
# every test program. Expects a display (scripts/test.sh provides one).
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/../build/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-winemenubuilder.exe=d;winedbg.exe=d;mscoree=d;mshtml=d}
exec wine "$@"
