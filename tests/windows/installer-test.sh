#!/usr/bin/env bash
# The installer under Wine, in a Wine prefix of its own: an older build of it is made here by
# cpack from the same build (the version before, and one file more), then installer-test.exe
# installs, upgrades and uninstalls with both.
#
#   installer-test.sh BUILD_DIR VERSION installer-test.exe tools/wine-run
set -euo pipefail
build=$1 version=$2 test_exe=$3 wine_run=$4
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "installer test: $*" >&2; exit 1; }

newer=$build/package/suma-zodziais-$version-win64.exe
newer_files=$build/package/_CPack_Packages/win64/NSIS/suma-zodziais-$version-win64
[ -f "$newer" ] && [ -d "$newer_files" ] || fail "no installer in $build/package (run ./dev windows)"

work=$(mktemp -d)
export WINEPREFIX=$work/wine
cleanup() {
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

older_version=1.0.0
cpack --config "$build/CPackConfig.cmake" -G NSIS -B "$work/older" \
    -D CPACK_PACKAGE_VERSION=$older_version -D CPACK_PACKAGE_FILE_NAME=older \
    -D CPACK_PRE_BUILD_SCRIPTS="$here/older-build.cmake" >/dev/null

windows_path() { printf 'Z:%s' "${1//\//\\}"; }
SUMA_WINE_TIMEOUT=900 "$wine_run" "$test_exe" \
    "$(windows_path "$newer")" "$version" "$(windows_path "$newer_files")" \
    "$(windows_path "$work/older/older.exe")" "$older_version" "ankstesnė-versija.txt"
