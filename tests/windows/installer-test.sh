#!/usr/bin/env bash
# The installer, run silently (/S) into a throwaway Wine prefix: the program and its Start
# menu entry land where they should, the installed window starts and shows its title, and the
# silent uninstaller takes everything away again.
#
#   installer-test.sh PACKAGE_DIR wait-for-window.exe tools/wine-run
set -euo pipefail
package_dir=$1 wait_for_window=$2 wine_run=$3
fail() { echo "installer test: $*" >&2; exit 1; }

shopt -s nullglob
installers=("$package_dir"/suma-zodziais-*-win64.exe)
[ ${#installers[@]} -eq 1 ] || fail "expected one installer in $package_dir (run ./dev windows)"

WINEPREFIX=$(mktemp -d)/wine
export WINEPREFIX
cleanup() {
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    rm -rf "$(dirname "$WINEPREFIX")"
}
trap cleanup EXIT

"$wine_run" "${installers[0]}" /S
dir="$WINEPREFIX/drive_c/Program Files/Suma žodžiais"
for file in suma-zodziais.exe zodziais.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll \
    platforms/qwindows.dll styles/qwindowsvistastyle.dll libstdc++-6.dll translations/qt_lt.qm \
    Uninstall.exe; do
    [ -f "$dir/$file" ] || fail "not installed: $file"
done
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Suma žodžiais"
[ -f "$menu/Suma žodžiais.lnk" ] || fail "no Start menu entry \"Suma žodžiais\""

"$wine_run" "$wait_for_window" 'C:\Program Files\Suma žodžiais\suma-zodziais.exe' 'Suma žodžiais'

# The uninstaller runs on from a copy of itself; Wine's server tells when it has ended.
"$wine_run" "$dir/Uninstall.exe" /S
/usr/lib/wine/wineserver -w
[ ! -e "$dir/suma-zodziais.exe" ] || fail "the uninstaller left suma-zodziais.exe"
[ ! -e "$menu/Suma žodžiais.lnk" ] || fail "the uninstaller left the Start menu entry"
echo "installed silently, window shown, uninstalled"
