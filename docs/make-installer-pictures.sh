#!/usr/bin/env bash
# Remakes docs/installer-pages.png: the installer's first four pages (welcome, licence, the
# Photoshop it found, the folder), shown by Wine on a virtual display, two by two. Run it after
# scripts/package.sh; it needs xdotool, xwd (x11-apps) and netpbm besides Wine and Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

for tool in xdotool xwd xwdtopnm pnmtopng pnmcat xvfb-run; do
    command -v "$tool" > /dev/null || { echo "needs $tool: apt-get install xdotool x11-apps netpbm xvfb" >&2; exit 1; }
done
release=${MV_RELEASE_BUILD:-build/release}
setup=$(ls dist/MerovaneII-*-setup.exe 2> /dev/null | tail -n 1)
[ -n "$setup" ] || { echo "no installer in dist/: run scripts/package.sh first" >&2; exit 1; }

export WINEPREFIX="$PWD/$release/wineprefix"
export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$WINEPREFIX/system.reg" ] || { wineboot --init > /dev/null 2>&1; wineserver -w; }

# A registered Photoshop, so that the page listing them has something to show.
photoshop_key='HKLM\SOFTWARE\Adobe\Photoshop\180.0'
photoshop="$WINEPREFIX/drive_c/Program Files/Adobe/Adobe Photoshop 2024"
mkdir -p "$photoshop/Plug-ins"
wine reg add "$photoshop_key" /v ApplicationPath /d 'C:\Program Files\Adobe\Adobe Photoshop 2024\' /f > /dev/null 2>&1
wineserver -w

shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
# Each page is captured, then Enter presses its default button (Next, I Agree, Next); the run
# ends on the folder page, before anything is installed.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    wine "$1" &
    window=$(xdotool search --sync --name "Merovane II .* Setup" | head -n 1)
    for page in 1 2 3 4; do
        sleep 3
        xwd -id "$window" -silent | xwdtopnm > "$2/page$page.pnm" 2> /dev/null
        [ "$page" -eq 4 ] || xdotool windowfocus --sync "$window" key Return
    done
    wineserver -k
    wait
' _ "$setup" "$shots" || true

wine reg delete "$photoshop_key" /f > /dev/null 2>&1
wineserver -w
rm -rf "$WINEPREFIX/drive_c/Program Files/Adobe"

pnmcat -lr "$shots/page1.pnm" "$shots/page2.pnm" > "$shots/top.pnm"
pnmcat -lr "$shots/page3.pnm" "$shots/page4.pnm" > "$shots/bottom.pnm"
pnmcat -tb "$shots/top.pnm" "$shots/bottom.pnm" | pnmtopng -compression 9 > docs/installer-pages.png
echo "docs/installer-pages.png"
