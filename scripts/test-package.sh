#!/usr/bin/env bash
# Checks what scripts/package.sh made, the way users meet it:
#  - the zip: exact names and layout, the .8bf passing the plug-in file and resource checks
#    (under Wine), every shipped preset read back by the plug-in's preset reader;
#  - the installer, under Wine in a private prefix: the Photoshop it finds in the registry, a
#    silent install into a folder given with /D=, the entry in the installed programs, the
#    installed .8bf engraving with each shipped preset (replayed as an action, compared with the
#    native run), a user's presets surviving a reinstall and the silent uninstall, which removes
#    the plug-in, its help and the entry.
# Usage: scripts/test-package.sh VERSION   (after scripts/package.sh; package.sh --test runs it)
set -uo pipefail
cd "$(dirname "$0")/.."

version=${1:?usage: scripts/test-package.sh VERSION}
release=${MV_RELEASE_BUILD:-build/release}
native=${MV_NATIVE_BUILD:-build/native}
jobs=${MV_JOBS:-$(nproc)}
zip_file="dist/MerovaneII-$version-win64.zip"
setup_file="dist/MerovaneII-$version-setup.exe"
stage="$release/package/MerovaneII-$version"

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
pass() { echo "ok:   $*"; }
check() {  # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}

for f in "$zip_file" "$setup_file"; do
    [ -f "$f" ] || { echo "test-package: $f is missing; run scripts/package.sh first" >&2; exit 1; }
done

cmake --build "$native" --target engrave write-shipped-presets preset-replay-native -j "$jobs" > /dev/null || exit 1
cmake --build "$release" --target mv_win_plugin_test preset-replay -j "$jobs" > /dev/null || exit 1
engrave="$native/cli/engrave"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# --- The zip -------------------------------------------------------------------------------
mkdir -p "$work/presets"
"$native/packaging/write-shipped-presets" "$work/presets" > "$work/preset-names"
preset_count=$(wc -l < "$work/preset-names")
{
    echo "LICENSE.txt"
    echo "Merovane saves/"
    sed 's|^|Merovane saves/|' "$work/preset-names"
    echo "MerovaneIIHelp/"
    (cd "$stage" && find MerovaneIIHelp -mindepth 1 | while read -r p; do [ -d "$p" ] && echo "$p/" || echo "$p"; done)
    echo "README.txt"
    echo "merovaneIIx64.8bf"
} | LC_ALL=C sort > "$work/expected-listing"
unzip -Z1 "$zip_file" | LC_ALL=C sort > "$work/listing"
check "the zip holds exactly the plug-in, its presets and help, the read-me and the licence" \
    diff -u "$work/expected-listing" "$work/listing"
check "between 8 and 12 presets ship ($preset_count)" test "$preset_count" -ge 8 -a "$preset_count" -le 12

mkdir -p "$work/unzipped"
unzip -q "$zip_file" -d "$work/unzipped"
all_read=0
while read -r name; do
    zipped="$work/unzipped/Merovane saves/$name"
    cmp -s "$zipped" "$work/presets/$name" || { fail "$name differs from what the preset writer writes"; all_read=1; }
    # Read back and written again: the reader must restore every field the writer wrote.
    "$engrave" --preset "$zipped" --save-preset "$work/reread.kzv" &&
        cmp -s "$zipped" "$work/reread.kzv" || { fail "$name does not read back unchanged"; all_read=1; }
done < "$work/preset-names"
[ $all_read -eq 0 ] && pass "every shipped preset reads back unchanged through the preset reader"
check "the read-me has Windows line ends and the version" grep -q "Merovane II $version.*"$'\r'"\$" "$work/unzipped/README.txt"

# --- Wine ----------------------------------------------------------------------------------
export WINEPREFIX="$PWD/$release/wineprefix"
export WINEDEBUG=-all
export WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix in $WINEPREFIX"
    wineboot --init > /dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f > /dev/null 2>&1
    wineserver -w
fi
drive_c="$WINEPREFIX/drive_c"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\MerovaneII'
photoshop_key='HKLM\SOFTWARE\Adobe\Photoshop\140.0'
reg_value() { wine reg query "$uninstall_key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v v="$1" '$1 == v { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'; }
entry_exists() { wine reg query "$uninstall_key" > /dev/null 2>&1; }
run_wine() { wine "$@"; local s=$?; wineserver -w; return $s; }
# install_silently [FOLDER]: /S, and /D=FOLDER when given. An administrator types /D= unquoted
# even when the folder has blanks; wine would quote such an argument, so cmd passes the line.
install_silently() {
    cp "$setup_file" "$drive_c/setup-under-test.exe"
    run_wine cmd /c "C:\setup-under-test.exe /S${1:+ /D=$1}"
    local s=$?
    rm -f "$drive_c/setup-under-test.exe"
    return $s
}

# Leftovers of an earlier run would hide faults.
wine reg delete "$uninstall_key" /f > /dev/null 2>&1
wine reg delete "$photoshop_key" /f > /dev/null 2>&1
target="$drive_c/Plug-ins test"
photoshop="$drive_c/Program Files/Adobe/Adobe Photoshop 2023"
rm -rf "$target" "$photoshop"
wineserver -w

cmp -s "$work/unzipped/merovaneIIx64.8bf" "$stage/merovaneIIx64.8bf" || fail "the zip's plug-in is not the built one"
export MV_PLUGIN_FILE="$work/unzipped/merovaneIIx64.8bf"  # mktemp gives an absolute path
check "the packaged .8bf passes the plug-in file and resource checks" \
    run_wine "$release/tests/win/plugin/mv_win_plugin_test.exe" --gtest_brief=1
unset MV_PLUGIN_FILE

# A Photoshop in the registry: with no /D= the installer picks its plug-ins folder.
mkdir -p "$photoshop/Plug-ins"
wine reg add "$photoshop_key" /v ApplicationPath /d 'C:\Program Files\Adobe\Adobe Photoshop 2023\' /f > /dev/null 2>&1
check "a silent install without /D= succeeds" install_silently
check "it went into the registered Photoshop's plug-ins folder" test -f "$photoshop/Plug-ins/merovaneIIx64.8bf"
check "the entry names that folder" test "$(reg_value InstallLocation)" = 'C:\Program Files\Adobe\Adobe Photoshop 2023\Plug-ins'
check "its silent uninstall succeeds" run_wine "$photoshop/Plug-ins/Uninstall Merovane II.exe" /S
check "and leaves the Photoshop's plug-ins folder as it found it (empty)" \
    test -d "$photoshop/Plug-ins" -a -z "$(ls -A "$photoshop/Plug-ins")"
wine reg delete "$photoshop_key" /f > /dev/null 2>&1
rm -rf "$photoshop"

# A folder given with /D=, standing for a plug-ins folder.
check "a silent install into a given folder succeeds" install_silently 'C:\Plug-ins test'
check "the plug-in is the packaged one" cmp -s "$target/merovaneIIx64.8bf" "$stage/merovaneIIx64.8bf"
check "the help is installed as packaged" diff -r "$target/MerovaneIIHelp" "$stage/MerovaneIIHelp"
check "the shipped presets are installed as packaged" diff -r "$target/Merovane saves" "$stage/Merovane saves"
check "the uninstaller is there" test -f "$target/Uninstall Merovane II.exe"
check "the installed programs list Merovane II $version" test "$(reg_value DisplayVersion)" = "$version"
check "with a quiet uninstall command" test "$(reg_value QuietUninstallString)" = '"C:\Plug-ins test\Uninstall Merovane II.exe" /S'

# The installed plug-in, loaded from there as a host loads it, engraves with every preset.
"$native/tests/win/package/preset-replay-native" "$stage/Merovane saves" > "$work/native-replay" ||
    fail "the native replay of the presets"
run_wine "$release/tests/win/package/preset-replay.exe" 'C:\Plug-ins test\merovaneIIx64.8bf' \
    'C:\Plug-ins test\Merovane saves' | tr -d '\r' > "$work/wine-replay" || fail "the replay under Wine"
check "the installed .8bf engraves with each of the $preset_count presets exactly as the native code" \
    diff -u "$work/native-replay" "$work/wine-replay"
check "every replay succeeded and released what it took" \
    test "$(awk -F'\t' '{ split($2, f, " "); if (f[1] == 0 && f[3] == 0) n++ } END { print n + 0 }' "$work/wine-replay")" \
    -eq "$preset_count"

# The user's presets: one of their own, and a shipped one they saved over.
saves="$target/Merovane saves"
first_preset=$(head -n 1 "$work/preset-names")
"$engrave" --space 33 --pattern Rings --save-preset "$saves/My own.kzv"
"$engrave" --preset "$saves/$first_preset" --space 44 --save-preset "$saves/$first_preset"
cp "$saves/My own.kzv" "$saves/$first_preset" "$work/"
check "a reinstall succeeds" install_silently 'C:\Plug-ins test'
check "the user's own preset survives the reinstall" cmp -s "$saves/My own.kzv" "$work/My own.kzv"
check "a shipped preset the user saved over keeps the user's settings" cmp -s "$saves/$first_preset" "$work/$first_preset"

check "the silent uninstall succeeds" run_wine "$target/Uninstall Merovane II.exe" /S
check "it removes the plug-in" test ! -e "$target/merovaneIIx64.8bf"
check "it removes the help" test ! -e "$target/MerovaneIIHelp"
check "it removes itself" test ! -e "$target/Uninstall Merovane II.exe"
check "it keeps the user's own preset" cmp -s "$saves/My own.kzv" "$work/My own.kzv"
check "it keeps the shipped preset the user changed" cmp -s "$saves/$first_preset" "$work/$first_preset"
check "it removes the shipped presets left unchanged" \
    test "$(ls "$saves" | LC_ALL=C sort | tr '\n' '|')" = "$(printf '%s\n' "My own.kzv" "$first_preset" | LC_ALL=C sort | tr '\n' '|')"
if entry_exists; then fail "the installed programs still list Merovane II"; else pass "the entry is gone"; fi
rm -rf "$target"
wineserver -w

if [ $failures -ne 0 ]; then
    echo "test-package: $failures check(s) failed"
    exit 1
fi
echo "test-package: all checks passed"
