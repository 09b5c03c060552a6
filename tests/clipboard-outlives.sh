#!/usr/bin/env bash
# The converted text outlives the window on X11: the real window on a display of its own with no
# clipboard manager converts, closes (by its red picture, SIGTERM or SIGHUP), and another program
# still pastes the result, served by one helper that ends as soon as it no longer owns the
# clipboard, however it was taken, and holds nothing of the window's. With a clipboard manager
# running, or with the clipboard taken before the window closes, no helper starts. A window on
# another display leaves the first display's clipboard alone.
#
#   tests/clipboard-outlives.sh WINDOW_PROGRAM HELPER_PROGRAM FAKE_MANAGER_PROGRAM
# Runs itself on a virtual X display (xvfb-run) when there is no DISPLAY of its own.
set -uo pipefail

window=$(realpath "$1")
keeper=$(realpath "$2")
manager=$(realpath "$3")
keepers() { pgrep -x -f "$keeper( .*)?" | wc -l; }

if [ "${SUMA_CLIPBOARD_TEST_DISPLAY:-}" != yes ]; then
    SUMA_CLIPBOARD_TEST_DISPLAY=yes xvfb-run -a -s '-screen 0 1024x768x24' "$0" "$@"
    rc=$?
    # The display is gone now, and with it the helper that served the last result.
    for _ in $(seq 50); do [ "$(keepers)" -eq 0 ] && break; sleep 0.1; done
    [ "$(keepers)" -eq 0 ] || { echo "FAIL: the helper outlived its display"; exit 1; }
    exit "$rc"
fi
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 LANG=lt_LT.UTF-8
tmp=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$tmp"' EXIT
# The window keeps the currency in its settings: litai, whatever the user chose. It runs in this
# folder, which the helper must not keep busy.
export XDG_CONFIG_HOME=$tmp/config
cd "$tmp" || exit 1
passed=0 failed=0
check() { # check DESCRIPTION COMMAND...
    if "${@:2}"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $1"; fi
}
paste() { timeout 5 xclip -o -selection clipboard 2>/dev/null; }
copy() { printf '%s' "$1" | timeout 5 xclip -i -selection clipboard; }
is_pasted() { [ "$(paste)" = "$1" ]; }
# Waits up to five seconds for a command to succeed.
eventually() { for _ in $(seq 50); do "$@" && return 0; sleep 0.1; done; "$@"; }
helpers_are() { [ "$(keepers)" -eq "$1" ]; }
on() { DISPLAY=$1 "${@:2}"; } # on DISPLAY COMMAND...

# Starts the window (with ARGS) and types NUMBER and Enter into it; its process id in $pid, its
# window in $window_id. Like a single-instance launcher, the shell holds a lock on a file of its
# own for each window ($lock), which only the window inherits.
launched=0
convert_in_window() { # convert_in_window NUMBER [ARGS...]
    launched=$((launched + 1))
    lock=$tmp/launcher-$launched.lock
    exec 9>"$lock"
    flock 9
    DISPLAY=${window_display:-$DISPLAY} "$window" "${@:2}" &
    pid=$!
    exec 9>&-
    window_id=$(timeout 20 xdotool search --sync --onlyvisible --all --pid "$pid" --name 'Suma žodžiais' | head -n 1)
    [ -n "$window_id" ] || { echo "the window did not appear"; return 1; }
    xdotool windowfocus --sync "$window_id"
    xdotool type --delay 20 "$1"
    xdotool key Return
}
# Ends the window as a user would, and waits for it: by a click on its red picture, or by a
# signal (kill, logging out).
close_window() { # close_window click|TERM|HUP
    if [ "${1:-click}" = click ]; then
        xdotool windowraise "$window_id" mousemove --window "$window_id" 322 226 click 1
    else
        kill -"$1" "$pid"
    fi
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    ! kill -0 "$pid" 2>/dev/null
}

# --- handovers: every new result takes the clipboard from the last helper ---------------------
# Each window's conversion sets the owner to None and then takes the clipboard, as Qt does; the
# helper before it must end then, leaving one helper on the display.
while read -r number close words; do
    convert_in_window "$number"
    check "$number: the result is on the clipboard while the window is open" \
        eventually is_pasted "$words"
    check "$number: the window ends ($close)" close_window "$close"
    check "$number: the result is still pasted after the window has ended" is_pasted "$words"
    check "$number: one helper serves it" eventually helpers_are 1
done <<'EOF'
1 click Vienas Lt
2 TERM Du Lt
3 HUP Trys Lt
4 click Keturi Lt
5 TERM Penki Lt
6 HUP Šeši Lt
7 click Septyni Lt
8 TERM Aštuoni Lt
9 HUP Devyni Lt
10 click Dešimt Lt
11 TERM Vienuolika Lt
12 HUP Dvylika Lt
EOF

# --- the helper holds nothing of the window's -------------------------------------------------
helper=$(pgrep -x -f "$keeper( .*)?" | head -n 1)
check "the amount is not on the helper's command line" \
    test "$(tr '\0' '\n' <"/proc/$helper/cmdline")" = "$keeper"
check "the helper runs in /" test "$(readlink "/proc/$helper/cwd")" = /
descriptors() { for fd in "/proc/$helper/fd"/*; do echo "${fd##*/} $(readlink "$fd")"; done; }
check "the helper's descriptors are its own: the null device and its display" \
    test "$(descriptors | sed 's/socket:.*/socket/')" = "$(printf '%s\n' '0 /dev/null' \
        '1 /dev/null' '2 /dev/null' '3 socket')"
check "the launcher's lock is free once the window has ended" flock -n "$lock" true

copy "LT12 1000 0111 0100 1000"
check "the helper ends once another program takes the clipboard" eventually helpers_are 0
check "and the other program's text is pasted" is_pasted "LT12 1000 0111 0100 1000"

# --- the helper takes the clipboard only from the window that started it ----------------------
printf '%s\n%s\n%s' "$DISPLAY" 4194305 "Vienas Lt" | timeout 5 "$keeper"
check "a helper asked to take the clipboard from a window that no longer has it ends" test $? -eq 0
check "and leaves the owner's text" is_pasted "LT12 1000 0111 0100 1000"

# --- a clipboard manager runs: it keeps the text, no helper -----------------------------------
"$manager" &
manager_pid=$!
sleep 0.5
convert_in_window 3
check "converted with a manager running" eventually is_pasted "Trys Lt"
close_window
check "no helper when a clipboard manager runs" helpers_are 0
kill "$manager_pid" 2>/dev/null
wait "$manager_pid" 2>/dev/null

# --- the clipboard taken before the window closes: nothing to keep ---------------------------
convert_in_window 7
check "converted" eventually is_pasted "Septyni Lt"
copy "kita"
close_window
check "no helper when another program took the clipboard before the window closed" helpers_are 0
check "the other text stays" is_pasted "kita"
# Another window's conversion sets the owner to None first, which Qt's bookkeeping misses.
convert_in_window 7
first_pid=$pid first_window_id=$window_id
convert_in_window 8
second_pid=$pid second_window_id=$window_id
check "the other window's result is pasted" eventually is_pasted "Aštuoni Lt"
pid=$first_pid window_id=$first_window_id close_window
check "no helper when another window took the clipboard before the window closed" \
    helpers_are 0
check "the other window's result stays" is_pasted "Aštuoni Lt"
pid=$second_pid window_id=$second_window_id close_window
check "the other window's result is kept after it closes" is_pasted "Aštuoni Lt"
check "by one helper" eventually helpers_are 1

# --- a window on another display serves that display's clipboard ----------------------------
first=$DISPLAY
Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp >"$tmp/display" 2>/dev/null &
xvfb_pid=$!
eventually test -s "$tmp/display"
second=:$(head -n 1 "$tmp/display")
# $DISPLAY stays the first display's for the window itself.
window_display=$first on "$second" convert_in_window 9 -display "$second"
check "converted on the other display" eventually on "$second" is_pasted "Devyni Lt"
on "$second" close_window
check "the other display's result is kept" on "$second" is_pasted "Devyni Lt"
check "the first display's result stays" is_pasted "Aštuoni Lt"
check "one helper for each display" eventually helpers_are 2
kill "$xvfb_pid"
wait "$xvfb_pid" 2>/dev/null
check "the helper ends with its display" eventually helpers_are 1
check "the first display's helper still serves" is_pasted "Aštuoni Lt"
# (xvfb-run ends the first display after this script; a helper left then is checked by the
# caller.)
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
