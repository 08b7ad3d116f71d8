#!/usr/bin/env bash
# The Windows tier: cross-builds the plug-in and the Windows tests with mingw-w64 and runs them
# under Wine, the dialog tests (label gui) on a virtual X display.
# Usage: scripts/test-windows.sh [build-dir]   (default build/windows)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/windows}
native=${MV_NATIVE_BUILD:-build/native}
jobs=${MV_JOBS:-$(nproc)}

# The Windows run is compared with the native run of the same cases: the native build writes the
# reference (a no-op when scripts/test.sh has just built it).
[ -f "$native/CMakeCache.txt" ] || cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$native" -j "$jobs"

cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMV_PARITY_REFERENCE="$PWD/$native/parity-reference.txt" > /dev/null
cmake --build "$build" -j "$jobs"

# A private prefix inside the build tree: nothing of the user's own Wine set-up is touched or used.
export WINEPREFIX="$PWD/$build/wineprefix"
export WINEDEBUG=-all
export WINEARCH=win64
# No Mono or Gecko installer prompts while the prefix is created.
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix in $WINEPREFIX"
    wineboot --init > /dev/null 2>&1
    # A crashing test must fail, not wait for someone to close Wine's crash dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f > /dev/null 2>&1
    wineserver -w
fi

status=0
ctest --test-dir "$build" --output-on-failure -LE gui || status=1
# Let this Wine session end before the next one, which gets a display.
wineserver -w
# Windows need a display; xvfb-run gives the run its own (-a picks a free number). Wine's
# processes must be gone before xvfb-run closes the display, hence the wait inside.
gui_tests=$(ctest --test-dir "$build" -N -L gui)
if grep -qE '^ +Test +#' <<< "$gui_tests"; then
    xvfb-run -a bash -c 'ctest --test-dir "$1" --output-on-failure -L gui; s=$?; wineserver -w; exit $s' \
        _ "$build" || status=1
fi
exit $status
