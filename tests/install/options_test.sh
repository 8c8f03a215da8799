#!/bin/sh
# The command line as a user meets it: --help lists the options that the README's table and the
# man page document, --version names the program and its version, and an unknown option ends with
# status 2 and a hint to try --help.
#
# usage: options_test.sh FENLARK VERSION README MANPAGE
set -eu
export LC_ALL=C
usage=$("$1" --help)
help=$(echo "$usage" | sed -n 's/^  \(-., \)\{0,1\}\(--[a-z-]*\).*/\2/p' | sort | tr '\n' ' ')
readme=$(sed -n 's/^| `\(-.`, `\)\{0,1\}\(--[a-z-]*\).*/\2/p' "$3" | sort | tr '\n' ' ')
manual=$(sed -n '/^\.TP/{n;s/\\-/-/g;p;}' "$4" | grep -o -- '--[a-z-]*' | sort | tr '\n' ' ')
if [ -z "$help" ] || [ "$help" != "$readme" ] || [ "$help" != "$manual" ]; then
    printf 'FAILED\n  --help:   %s\n  README:   %s\n  man page: %s\n' "$help" "$readme" "$manual"
    exit 1
fi
test "$("$1" -v)" = "FenLark $2" || { echo "FAILED: -v prints $("$1" -v)"; exit 1; }
status=0
hint=$("$1" --bogus 2>&1) || status=$?
test "$status" = 2 && test "$(echo "$hint" | tail -n 1)" = 'Try "fenlark --help" for the list of options.' ||
    { echo "FAILED: --bogus: status $status, $hint"; exit 1; }
echo "passed: $help"
