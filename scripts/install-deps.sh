#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing.
set -euo pipefail

# fonts-wine and fonts-liberation are only recommended by Wine, so --no-install-recommends skips
# them: without them the dialogs' "MS Shell Dlg" (Tahoma) and "Arial" fall back to other fonts.
packages=(cmake g++ make pkg-config googletest libgtest-dev libpng-dev libtiff-dev libdeflate-dev
          mingw-w64 wine wine64 fonts-wine fonts-liberation xvfb xauth clang libclang-rt-14-dev
          locales nsis zip unzip librsvg2-bin libxml2-utils)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
