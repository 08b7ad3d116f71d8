#!/usr/bin/env bash
# The dialog tests (label gui) again with other font metrics: Wine prefixes at 72 and 144 dpi,
# where every dialog is laid out smaller or larger than at the usual 96. A dialog test that
# places or reads controls at fixed pixel positions, or reads pixels that were never painted,
# fails here even when it passes with the fonts of scripts/install-deps.sh at 96 dpi.
# Usage: scripts/test-gui-metrics.sh [build-dir [ctest options...]]
#   build-dir defaults to build/windows, as scripts/test-windows.sh builds it.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/windows}
shift || true
if [ ! -f "$build/CTestTestfile.cmake" ]; then
    echo "test-gui-metrics: no Windows build in $build; run scripts/test-windows.sh first" >&2
    exit 2
fi
export WINEDEBUG=-all
export WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml="
status=0
for dpi in 72 144; do
    export WINEPREFIX="$PWD/$build/wineprefix-$dpi-dpi"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix in $WINEPREFIX"
        wineboot --init > /dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f > /dev/null 2>&1
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f > /dev/null 2>&1
        wineserver -w
    fi
    echo "The dialog tests at $dpi dpi"
    xvfb-run -a bash -c 'b=$1; shift; ctest --test-dir "$b" --output-on-failure -L gui "$@"; s=$?; wineserver -w; exit $s' \
        _ "$build" "$@" || status=1
done
exit $status
