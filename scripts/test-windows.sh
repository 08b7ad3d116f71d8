#!/usr/bin/env bash
# The Windows tier: cross-builds the plug-in and the Windows tests with mingw-w64 and runs them
# under Wine, the dialog tests (label gui) on a virtual X display.
# Usage: scripts/test-windows.sh [build-dir]   (default build/windows)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/windows}
jobs=${MV_JOBS:-$(nproc)}

cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
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
# Dialogs need a display; xvfb-run gives each run its own (-a picks a free number).
if [ -n "$(ctest --test-dir "$build" -N -L gui | grep -E '^ +Test +#')" ]; then
    xvfb-run -a ctest --test-dir "$build" --output-on-failure -L gui || status=1
fi
# Let the Wine server end by itself; the next run starts a fresh one.
wineserver -w
exit $status
