#!/usr/bin/env bash
# The package under Wine, in the test prefix: installed for the user, its program started there,
# upgraded in one step, a downgrade refused, removed keeping the user's files; then velmora.msi
# for the machine (ALLUSERS=1) and removed. Whatever happens, the prefix is left as it was.
# Arguments: the build folder, this test's build folder, the product's version, the upgrade's.
set -euo pipefail
build=$1 here=$2 version=$3 upgradeVersion=$4 name="Velmora Simnet Test"
wine() { timeout 120 "$(dirname "$0")/../../scripts/wine-exec.sh" "$@"; }
msi() { wine msiexec "$1" "Z:${2//\//\\}" "${@:3}" /qn; }
expect() { "${@:2}" || { echo "FAIL: $1" >&2; exit 1; }; }
# The DisplayVersion of each installed-programs entry of that name (Windows keeps a per-user
# product's in HKCU, Wine in HKLM).
entries() {
    for hive in HKCU HKLM; do wine reg query "$hive\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s 2>/dev/null || true; done |
        tr -d '\r' | awk -v name="$1" 'function out() { if (n == name) print v }
            /^HKEY/ { out(); n = v = "" } /^ +DisplayName +REG_SZ/ { sub(/^ +DisplayName +REG_SZ +/, ""); n = $0 }
            /^ +DisplayVersion +REG_SZ/ { v = $3 } END { out() }'
}
mapfile -t dirs < <(wine cmd /c 'echo %LOCALAPPDATA%&echo %APPDATA%&echo %ProgramData%&echo %ProgramW6432%' | tr -d '\r')
mapfile -t dirs < <(wine winepath -u "${dirs[@]}" | tr -d '\r')
folder="${dirs[0]}/Programs/$name" menu="${dirs[1]}/Microsoft/Windows/Start Menu/Programs"
machineFolder="${dirs[3]}/Velmora" machineMenu="${dirs[2]}/Microsoft/Windows/Start Menu/Programs"
expect "installed already in $WINEPREFIX: remove it first" test -z "$(entries "$name")$(entries Velmora)"
# The program's own key (Undo) goes back as it was, as do the folders the test made.
settings=$(mktemp) && wine reg export 'HKCU\Software\Velmora' "Z:${settings//\//\\}" /y >/dev/null 2>&1 || rm -f "$settings"
cleanup() {
    set +e
    msi /x "$here/velmora-simnet-test-upgrade.msi"; msi /x "$here/velmora-simnet-test.msi"; msi /x "$build/velmora.msi" ALLUSERS=1
    rm -rf "$folder" "$machineFolder"; rmdir "${folder%/*}"
    wine reg delete 'HKCU\Software\Velmora' /f
    [ ! -f "$settings" ] || { wine reg import "Z:${settings//\//\\}"; rm -f "$settings"; }
} >/dev/null 2>&1
trap cleanup EXIT

expect "per-user install" msi /i "$here/velmora-simnet-test.msi"
expect "the program in the user's programs folder" cmp -s "$build/velmora-simnet.exe" "$folder/velmora-simnet.exe"
expect "the Start menu shortcut" test -f "$menu/$name.lnk"
expect "one installed-programs entry, version $version" test "$(entries "$name")" = "$version"
printf '[0]\r\nip=10.0.0.5\r\nmask=255.0.0.0\r\nname=Office\r\n[1]\r\nname=Home\r\ndhcp=1\r\n' >"$folder/profiles.ini"
run=$(VELMORA_SIMNET_TIMING=0 wine "$folder/velmora-simnet.exe" --apply Office --once 2>&1) || expect "the installed program applies a profile: $run" false
expect "the history beside the installed program" test -s "$folder/velmora-history.txt"
kept=$(md5sum "$folder/profiles.ini" "$folder/velmora-history.txt")

expect "upgrade" msi /i "$here/velmora-simnet-test-upgrade.msi"
expect "one entry, version $upgradeVersion" test "$(entries "$name")" = "$upgradeVersion"
expect "the upgrade's program in place" cmp -s "$here/upgraded/velmora-simnet.exe" "$folder/velmora-simnet.exe"
expect "profiles and history kept by the upgrade" test "$(md5sum "$folder/profiles.ini" "$folder/velmora-history.txt")" = "$kept"
if msi /i "$here/velmora-simnet-test.msi"; then expect "downgrade refused" false; fi
expect "the newer version stays after a refused downgrade" test "$(entries "$name")" = "$upgradeVersion"

expect "removal" msi /x "$here/velmora-simnet-test-upgrade.msi"
expect "program, shortcut and entry gone" test ! -e "$folder/velmora-simnet.exe" -a ! -e "$menu/$name.lnk" -a -z "$(entries "$name")"
expect "profiles and history kept by the removal" test "$(md5sum "$folder/profiles.ini" "$folder/velmora-history.txt")" = "$kept"

expect "per-machine install" msi /i "$build/velmora.msi" ALLUSERS=1
expect "velmora.exe in Program Files" cmp -s "$build/velmora.exe" "$machineFolder/velmora.exe"
expect "one entry for Velmora, version $version" test "$(entries Velmora)" = "$version"
# Windows puts a per-machine shortcut in the all-users Start menu; Wine 8 in the user's.
expect "a Start menu shortcut" test -f "$machineMenu/Velmora.lnk" -o -f "$menu/Velmora.lnk"
# Without ALLUSERS=1 Wine 8 looks for a per-machine product's files in the user's folder and
# leaves them in Program Files: it is given again, as README tells administrators to.
expect "per-machine removal" msi /x "$build/velmora.msi" ALLUSERS=1
expect "program, shortcut and entry gone" test ! -e "$machineFolder/velmora.exe" -a ! -e "$machineMenu/Velmora.lnk" -a ! -e "$menu/Velmora.lnk" -a -z "$(entries Velmora)"
echo "package: installed, run, upgraded, downgrade refused, removed; per machine installed and removed"
