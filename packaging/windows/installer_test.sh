#!/usr/bin/env bash
# Tries Pentora's installer as a Windows player uses it, in a Wine prefix of its own: an older
# version installed, this one installed over it, and again over itself; the files, the Start-menu
# shortcut and the uninstall entry checked each time; the game started from its shortcut, its
# window seen; then uninstalled, after which the prefix must hold exactly what it held before.
# Needs a display (the game's window) and make-installer.sh's tools.
#
#     installer_test.sh SETUP.exe DIST VERSION WORK
#
# DIST is the folder the installer was made from (the zip's), VERSION its version; WORK is left
# with the prefix, the screenshot and the older installer.
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: $0 SETUP.exe DIST VERSION WORK" >&2; exit 2; }
setup=$1
dist=$2
version=$3
work=$4
here=$(cd "$(dirname "$0")" && pwd)
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pentora'

rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX="$work/prefix"
export WINEDEBUG=-all
# No Mono or Gecko to offer, and no shortcuts copied into this machine's own menus.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

fail() {
    echo "installer test: $*" >&2
    exit 1
}
step() { printf -- '- %s\n' "$*"; }

# What the prefix holds, aside from what belongs to Windows: its own folder (Wine rewrites it as
# it runs), the user's temporary files (the uninstaller runs from a copy there, which Windows
# deletes at the next start), and the user's programs folder, which Windows knows by name and
# keeps even when it is empty.
snapshot() {
    (cd "$WINEPREFIX/drive_c" &&
        find . \( -path ./windows -o -path './users/*/Temp' -o -path './users/*/AppData/Local/Temp' \) \
            -prune -o ! -path './users/*/AppData/Local/Programs' -print | LC_ALL=C sort)
}
# One value of the uninstall entry, as Windows' reg prints it.
value() {
    wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' |
        sed -n "s/^[[:space:]]*$1[[:space:]]\{1,\}REG_[A-Z_]*[[:space:]]\{1,\}//p"
}
# Installs silently; Wine returns when the installer has ended.
install() {
    wine "$1" /S
    wineserver -w
}

step "a fresh Wine prefix"
wineboot --init >"$work/wineboot.log" 2>&1 || { tail -n 20 "$work/wineboot.log"; fail "wineboot failed"; }
wineserver -w
before=$(snapshot)
programs=$(cd "$WINEPREFIX/drive_c/users" && find . -maxdepth 4 -path '*/AppData/Local' | head -n 1)
[ -n "$programs" ] || fail "no AppData/Local folder for the user in the prefix"
home="$WINEPREFIX/drive_c/users/${programs#./}"
home=${home%/AppData/Local}
target="$home/AppData/Local/Programs/Pentora"
shortcut="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Pentora.lnk"

# The files an installation must hold: the zip's, and the uninstaller.
expected=$( (cd "$dist" && find . -type f; echo ./uninstall.exe) | LC_ALL=C sort)
check_installed() {
    local got
    got=$( (cd "$target" && find . -type f) | LC_ALL=C sort)
    [ "$got" = "$expected" ] || fail "installed files differ from the zip's: $(diff <(echo "$expected") <(echo "$got") | tail -n +2 | tr '\n' ' ')"
    cmp -s "$dist/Pentora.exe" "$target/Pentora.exe" || fail "the installed Pentora.exe is not the zip's"
    [ -f "$shortcut" ] || fail "no Start-menu shortcut at $shortcut"
    [ "$(value DisplayName)" = Pentora ] || fail "DisplayName: '$(value DisplayName)'"
    [ "$(value DisplayVersion)" = "$1" ] || fail "DisplayVersion: '$(value DisplayVersion)', not $1"
    [ "$(value Publisher)" = "The Pentora developers" ] || fail "Publisher: '$(value Publisher)'"
    local location
    location=$(value InstallLocation)
    [ "$(realpath -m "$(winepath -u "$location" 2>/dev/null)")" = "$(realpath "$target")" ] ||
        fail "InstallLocation: '$location'"
    [ "$(value DisplayIcon)" = "$location\\Pentora.exe,0" ] || fail "DisplayIcon: '$(value DisplayIcon)'"
    [ "$(value UninstallString)" = "\"$location\\uninstall.exe\"" ] ||
        fail "UninstallString: '$(value UninstallString)'"
    [ "$(value QuietUninstallString)" = "\"$location\\uninstall.exe\" /S" ] ||
        fail "QuietUninstallString: '$(value QuietUninstallString)'"
    [ "$(value NoModify)" = 0x1 ] && [ "$(value NoRepair)" = 0x1 ] || fail "NoModify, NoRepair not 1"
    local size kib
    size=$(value EstimatedSize)
    kib=$(du -sk --apparent-size "$target" | cut -f1)
    [ -n "$size" ] && [ $((size)) -ge $((kib * 9 / 10)) ] && [ $((size)) -le $((kib * 11 / 10)) ] ||
        fail "EstimatedSize: '$size', the folder holds $kib KiB"
}

step "an older version (0.9.0, with a file this one no longer has) installed"
old="$work/old"
cp -r "$dist" "$old"
echo "left over from 0.9.0" >"$old/obsolete.txt"
"$here/make-installer.sh" "$old" 0.9.0 "$work/Pentora-0.9.0-setup.exe" >/dev/null
install "$work/Pentora-0.9.0-setup.exe"
[ -f "$target/obsolete.txt" ] || fail "the older version did not install into $target"
[ "$(value DisplayVersion)" = 0.9.0 ] || fail "the older version is not registered"

step "$version installed over it"
install "$setup"
check_installed "$version"

step "$version installed over itself"
install "$setup"
check_installed "$version"

step "the version records of the installer and its uninstaller"
for exe in "$setup" "$target/uninstall.exe"; do
    strings -el "$exe" | grep -A1 -x ProductVersion | grep -qx "$version" ||
        fail "$(basename "$exe") carries no ProductVersion $version"
done
strings -el "$target/Pentora.exe" | grep -qx ProductVersion || fail "Pentora.exe carries no version record"

step "the game started from its Start-menu shortcut"
"$here/started.sh" "$shortcut" "$work/started-installed.png"

step "uninstalled"
wine "$target/uninstall.exe" /S
wineserver -w
[ ! -e "$target" ] || fail "$target is still there: $(cd "$target" && find . | tr '\n' ' ')"
[ ! -e "$shortcut" ] || fail "the shortcut is still there"
wine reg query "$key" >/dev/null 2>&1 && fail "the uninstall entry is still there"
after=$(snapshot)
[ "$before" = "$after" ] ||
    fail "the prefix differs from before the installation: $(diff <(echo "$before") <(echo "$after") | tail -n +2 | tr '\n' ' ')"
echo "installer test passed: installed over 0.9.0 and over itself, started, uninstalled, nothing left"
