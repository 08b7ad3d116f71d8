#!/usr/bin/env bash
# Builds the release as users receive it: a Release cross-build of the plug-in (stripped), the
# zip laid out as installed and the Windows installer, both in dist/:
#   dist/MerovaneII-<version>-win64.zip    merovaneIIx64.8bf, Merovane saves/, MerovaneIIHelp/,
#                                          README.txt, LICENSE.txt
#   dist/MerovaneII-<version>-setup.exe
# The version is the product's (product/ProductInfo.h, which CMake reads). Installs what is
# missing first.
# Usage: scripts/package.sh [--test]   (--test then checks both files: scripts/test-package.sh)
set -euo pipefail
cd "$(dirname "$0")/.."

run_tests=0
case "${1:-}" in
    --test) run_tests=1 ;;
    "") ;;
    *) echo "usage: scripts/package.sh [--test]" >&2; exit 2 ;;
esac

scripts/install-deps.sh

jobs=${MV_JOBS:-$(nproc)}
release=${MV_RELEASE_BUILD:-build/release}
native=${MV_NATIVE_BUILD:-build/native}
launcher=()
if command -v ccache > /dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# The plug-in: Release, which links it stripped. The presets come from the native tool, which
# writes them with the plug-in's own preset writer.
cmake --no-warn-unused-cli -S . -B "$release" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release -DMV_BUILD_BENCH=OFF "${launcher[@]}" > /dev/null
cmake --build "$release" --target mv_plugin mv_help_page -j "$jobs"
[ -f "$native/CMakeCache.txt" ] || cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" > /dev/null
cmake --build "$native" --target write-shipped-presets -j "$jobs"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$release/CMakeCache.txt")
if [ -z "$version" ]; then
    echo "package: no project version in $release/CMakeCache.txt" >&2
    exit 1
fi
IFS=. read -r v1 v2 v3 v4 <<< "$version"
version4="${v1:-0}.${v2:-0}.${v3:-0}.${v4:-0}"
plugin="$release/resources/merovaneIIx64.8bf"
help_built="$release/resources/MerovaneIIHelp"

stage="$release/package/MerovaneII-$version"
rm -rf "$release/package"
mkdir -p "$stage/Merovane saves" "$stage/MerovaneIIHelp" dist
cp "$plugin" "$stage/"
"$native/packaging/write-shipped-presets" "$stage/Merovane saves" > /dev/null

# The build copies the help page (help/page) beside the plug-in; a package without it would
# send users to a missing page.
if [ ! -f "$help_built/merovaneIIhelp.htm" ]; then
    echo "package: the help page is missing from $help_built (the build did not copy help/page)" >&2
    exit 1
fi
cp -R "$help_built/." "$stage/MerovaneIIHelp/"

# Plain texts for Windows: CRLF line ends, so that every editor shows the lines.
for text in README.txt LICENSE.txt; do
    sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "packaging/$text" > "$stage/$text"
done

zip_file="dist/MerovaneII-$version-win64.zip"
setup_file="dist/MerovaneII-$version-setup.exe"
rm -f "$zip_file" "$setup_file"
(cd "$stage" && zip -q -r -X "$OLDPWD/$zip_file" merovaneIIx64.8bf "Merovane saves" MerovaneIIHelp README.txt LICENSE.txt)

# The uninstaller removes each shipped preset the user left unchanged: it needs their names.
presets_nsh="$release/package/presets.nsh"
for preset in "$stage/Merovane saves"/*.kzv; do
    name=$(basename "$preset" .kzv)
    printf '!insertmacro ShippedPreset "%s"\n' "$name"
done > "$presets_nsh"
makensis -V2 -NOCD -DVERSION="$version" -DVERSION4="$version4" -DSTAGE="$PWD/$stage" -DPRESETS="$PWD/$presets_nsh" -DOUTFILE="$PWD/$setup_file" \
         packaging/MerovaneII.nsi

echo "Package:   $zip_file ($(stat -c %s "$zip_file") bytes)"
echo "Installer: $setup_file ($(stat -c %s "$setup_file") bytes)"
echo "Plug-in:   $(stat -c %s "$plugin") bytes"

if [ "$run_tests" -eq 1 ]; then
    scripts/test-package.sh "$version"
fi
