#!/usr/bin/env bash
# The converted text outlives the window on X11: the real window on a display of its own with no
# clipboard manager converts, closes, and another program still pastes the result; the helper
# that serves it ends once another program takes the clipboard. With a clipboard manager running,
# or with the clipboard taken before the window closes, no helper is left behind.
#
#   tests/clipboard-outlives.sh WINDOW_PROGRAM FAKE_MANAGER_PROGRAM
# Runs itself on a virtual X display (xvfb-run) when there is no DISPLAY of its own.
set -uo pipefail

window=$(realpath "$1")
manager=$(realpath "$2")
keeper=$(dirname "$window")/suma-zodziais-clipboard
keepers() { pgrep -f -x "$keeper .*" | wc -l; }

if [ "${SUMA_CLIPBOARD_TEST_DISPLAY:-}" != yes ]; then
    SUMA_CLIPBOARD_TEST_DISPLAY=yes xvfb-run -a -s '-screen 0 1024x768x24' "$0" "$@"
    rc=$?
    # The display is gone now, and with it the helper that served the last result.
    for _ in $(seq 50); do [ "$(keepers)" -eq 0 ] && break; sleep 0.1; done
    [ "$(keepers)" -eq 0 ] || { echo "FAIL: the helper outlived its display"; exit 1; }
    exit "$rc"
fi
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 LANG=lt_LT.UTF-8
passed=0 failed=0
check() { # check DESCRIPTION COMMAND...
    if "${@:2}"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $1"; fi
}
paste() { timeout 5 xclip -o -selection clipboard 2>/dev/null; }
copy() { printf '%s' "$1" | timeout 5 xclip -i -selection clipboard; }
# Waits up to five seconds for a command to succeed.
eventually() { for _ in $(seq 50); do "$@" && return 0; sleep 0.1; done; "$@"; }
no_keeper() { [ "$(keepers)" -eq 0 ]; }

# Starts the window, types NUMBER and Enter into it; the window's process id in $pid.
convert_in_window() {
    "$window" &
    pid=$!
    local id
    id=$(timeout 20 xdotool search --sync --onlyvisible --name 'Suma žodžiais' | head -n 1)
    [ -n "$id" ] || { echo "the window did not appear"; return 1; }
    xdotool windowfocus --sync "$id"
    xdotool type --delay 20 "$1"
    xdotool key Return
    window_id=$id
}
# Closes the window by a click on its red picture, as a user would, and waits for it to end.
close_window() {
    xdotool mousemove --window "$window_id" 322 226 click 1
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    ! kill -0 "$pid" 2>/dev/null
}
is_pasted() { [ "$(paste)" = "$1" ]; }

# --- no clipboard manager: the text outlives the window --------------------------------------
convert_in_window 12
check "the result is on the clipboard while the window is open" eventually is_pasted "Dvylika Lt"
check "the window ends on a click on its red picture" close_window
check "the result is still pasted after the window has ended" is_pasted "Dvylika Lt"
check "one helper serves it" test "$(keepers)" -eq 1
copy "LT12 1000 0111 0100 1000"
check "the helper ends once another program takes the clipboard" eventually no_keeper
check "and the other program's text is pasted" is_pasted "LT12 1000 0111 0100 1000"

# --- the clipboard taken before the window closes: nothing to keep ---------------------------
convert_in_window 7
check "converted" eventually is_pasted "Septyni Lt"
copy "kita"
close_window
check "no helper when the clipboard was taken before the window closed" no_keeper
check "the other text stays" is_pasted "kita"

# --- a clipboard manager runs: it keeps the text, no helper -----------------------------------
"$manager" &
manager_pid=$!
sleep 0.5
convert_in_window 3
check "converted with a manager running" eventually is_pasted "Trys Lt"
close_window
check "no helper when a clipboard manager runs" no_keeper
kill "$manager_pid" 2>/dev/null

# --- the display goes away: the helper ends with it ------------------------------------------
# (xvfb-run ends the display after this script; a helper left then is checked by the caller.)
convert_in_window 5
check "converted again" eventually is_pasted "Penki Lt"
close_window
check "a helper serves the last result" test "$(keepers)" -eq 1
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
