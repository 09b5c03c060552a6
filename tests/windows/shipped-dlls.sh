#!/usr/bin/env bash
# Nothing shipped that the programs do not load: the window is started from the folder the
# zip and the installer are made from, and every DLL in that folder must be among those Wine
# reports loading.
#
#   shipped-dlls.sh FILES_DIR wait-for-window.exe tools/wine-run
set -euo pipefail
files=$1 wait_for_window=$2 wine_run=$3
fail() { echo "shipped DLLs: $*" >&2; exit 1; }
[ -d "$files" ] || fail "no $files (run ./dev windows)"

log=$(mktemp)
trap 'rm -f "$log"' EXIT
WINEDEBUG=+loaddll "$wine_run" "$wait_for_window" "Z:${files//\//\\}\\suma-zodziais.exe" 'Suma žodžiais' \
    2>"$log" >/dev/null || fail "the window did not start: $(tail -5 "$log")"
loaded=$(grep -ao 'Loaded L"[^"]*"' "$log" | sed 's/\\\\/\//g')

shipped=0
while IFS= read -r dll; do
    shipped=$((shipped + 1))
    grep -qiF "Loaded L\"Z:$files/$dll\"" <<<"$loaded" || fail "shipped, never loaded: $dll"
done < <(cd "$files" && find . -iname '*.dll' | sed 's|^\./||')
[ "$shipped" -gt 0 ] || fail "no DLL in $files"
echo "all $shipped shipped DLLs are loaded by the window"
