#!/usr/bin/env bash
# tools/qt-windows with every outside program replaced by a quick stand-in (apt, dpkg, the
# cross compiler, cmake): two runs at once build once, a run killed while building or while
# installing leaves nothing a later run takes for a finished Qt, a stale unpacked source is
# cleared, and a Debian version missing from the archive is named with the ones it has.
#
#   tests/tools/qt-windows-cache.sh path/to/tools/qt-windows
set -uo pipefail

script=$(realpath "$1")
tmp=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$tmp"' EXIT
passed=0 failed=0
check() { # check DESCRIPTION COMMAND...
    if "${@:2}"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $1"; fi
}

# --- the stand-ins ---------------------------------------------------------------------------
stubs=$tmp/bin
mkdir -p "$stubs"
stub() { printf '#!/usr/bin/env bash\n%s\n' "$2" >"$stubs/$1"; chmod +x "$stubs/$1"; }
stub dpkg-query 'echo "6.4.2+dfsg-10"'
stub dpkg-architecture 'echo x86_64-linux-gnu'
stub x86_64-w64-mingw32-g++-posix 'echo 12-win32'
stub apt-get '
case " $* " in
*" source "*)
    [ -z "${FAKE_MISSING:-}" ] || { echo "E: no such version" >&2; exit 100; }
    touch qt6-base_6.4.2+dfsg-10.dsc ;;
esac'
stub apt-cache 'printf "Package: qt6-base\nVersion: 6.4.2+dfsg-5\n\nPackage: qt6-base\nVersion: 6.4.2+dfsg-7\n"'
# As the real one, it will not unpack over a folder that exists.
stub dpkg-source 'dir=${!#}; [ ! -e "$dir" ] || { echo "dpkg-source: $dir exists" >&2; exit 2; }; mkdir -p "$dir"'
# cmake -S/-B configures; --build "builds" for FAKE_BUILD seconds, logging its start and end;
# --install copies a file into the prefix, then waits FAKE_INSTALL seconds.
stub cmake '
case $1 in
--build) echo "start $$" >>"$FAKE_LOG"; sleep "${FAKE_BUILD:-0}"; echo "end $$" >>"$FAKE_LOG" ;;
--install) mkdir -p "$4/lib" && touch "$4/lib/Qt6Core.dll"; sleep "${FAKE_INSTALL:-0}" ;;
esac'
export PATH=$stubs:$PATH XDG_CACHE_HOME=$tmp/cache FAKE_LOG=$tmp/builds.log
cache=$tmp/cache/suma-zodziais

finished() { ls -d "$cache"/qt-6.4.2-mingw64-* 2>/dev/null | grep -v '[.]tmp$'; }
run() { setsid "$script" 2>>"$tmp/stderr"; }
# Starts a run in a process group of its own, waits until the log shows it at `step`, kills it.
kill_at() {
    local step=$1
    setsid "$script" >/dev/null 2>&1 &
    local pid=$!
    for _ in $(seq 100); do
        case $step in
        build) grep -q start "$FAKE_LOG" 2>/dev/null && break ;;
        install) ls -d "$cache"/*.tmp >/dev/null 2>&1 && break ;;
        esac
        sleep 0.1
    done
    kill -TERM -- "-$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
}

# --- two runs at once ------------------------------------------------------------------------
: >"$FAKE_LOG"
mkdir -p "$cache/qt-src-6.4.2+dfsg-10/qtbase.tmp" # a stale source folder from a killed unpack
FAKE_BUILD=2 run >"$tmp/first" &
first=$!
sleep 0.5
FAKE_BUILD=2 run >"$tmp/second"
wait "$first"
check "both runs print the same finished Qt" \
    test -n "$(cat "$tmp/first")" -a "$(cat "$tmp/first")" = "$(cat "$tmp/second")"
check "one build only" test "$(grep -c start "$FAKE_LOG")" = 1
check "the second run said it waits" grep -q "waiting" "$tmp/stderr"
check "the finished Qt is complete" test -f "$(cat "$tmp/first")/.complete" -a -f "$(cat "$tmp/first")/lib/Qt6Core.dll"
check "no unfinished folder left" test -z "$(ls -d "$cache"/*.tmp 2>/dev/null)"

# --- killed while building, then while installing --------------------------------------------
for step in build install; do
    rm -rf "$cache"/qt-6.4.2-mingw64-*
    : >"$FAKE_LOG"
    FAKE_BUILD=30 FAKE_INSTALL=30 kill_at "$step"
    check "killed while ${step}ing: nothing finished" test -z "$(finished)"
    : >"$FAKE_LOG"
    prefix=$(run)
    check "killed while ${step}ing: the next run builds anew" test "$(grep -c start "$FAKE_LOG")" = 1
    check "killed while ${step}ing: the next run finishes" test -f "$prefix/.complete" -a -f "$prefix/lib/Qt6Core.dll"
done

# --- a finished Qt is taken as it is ---------------------------------------------------------
: >"$FAKE_LOG"
check "a finished Qt is reused" test "$(run)" = "$prefix"
check "reused without a build" test ! -s "$FAKE_LOG"

# --- the host version is not in the archive --------------------------------------------------
rm -rf "$cache"
: >"$tmp/stderr"
FAKE_MISSING=1 run >/dev/null
check "a missing version fails" test $? -ne 0
check "a missing version names the ones there are" grep -q "6.4.2+dfsg-5 6.4.2+dfsg-7" "$tmp/stderr"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
