#!/usr/bin/env bash
# The README's C example, built as a user builds it: against an installed copy of the library,
# found through pkg-config, with a C99 compiler that warns of everything; it must print what
# its comment says.
#
#   tests/c-example.sh BUILD_DIR README [CFLAGS]
# CFLAGS: what the example needs to link with the library as the build made it (the
# sanitizers' flags in a sanitizer build).
set -euo pipefail
build=$1 readme=$2 cflags=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for component in library development; do
    cmake --install "$build" --prefix "$work/prefix" --component "$component" >/dev/null
done
# The first C block of the README is the example.
awk '/^```c$/ { on = 1; next } on && /^```$/ { exit } on' "$readme" >"$work/example.c"
expected=$(sed -n 's|.*puts(text); // ||p' "$work/example.c")
[ -n "$expected" ] || { echo "no example with its expected output in $readme"; exit 1; }

pc=$(dirname "$(find "$work/prefix" -name suma-zodziais.pc)")
export PKG_CONFIG_PATH=$pc
# shellcheck disable=SC2046,SC2086 # the flags are words
cc -std=c99 -Wall -Wextra -Wpedantic -Werror $cflags "$work/example.c" -o "$work/example" \
    $(pkg-config --cflags --libs suma-zodziais)
got=$(LD_LIBRARY_PATH=$(pkg-config --variable=libdir suma-zodziais) "$work/example")
if [ "$got" = "$expected" ]; then
    echo "1 passed, 0 failed"
else
    printf 'expected: %s\ngot:      %s\n0 passed, 1 failed\n' "$expected" "$got"
    exit 1
fi
