#!/bin/sh
# Usage: expect_streams.sh STATUS OUT_PATTERN ERR_PATTERN COMMAND... : passes when COMMAND exits
# with STATUS, its whole standard output matches the extended regular expression OUT_PATTERN and
# its standard error matches ERR_PATTERN. "^$" asks for an empty stream.
expected="$1"; out_pattern="$2"; err_pattern="$3"; shift 3
err_file=$(mktemp); trap 'rm -f "$err_file"' EXIT
out=$("$@" 2>"$err_file"); status=$?
err=$(cat "$err_file")
report() { echo "$1"; echo "standard output:"; echo "$out"; echo "standard error:"; echo "$err"; exit 1; }
[ "$status" -eq "$expected" ] || report "exit status $status, expected $expected"
# Each stream is matched as one line (its line ends made \001), so a stray line anywhere fails.
whole() { printf '%s' "$1" | tr '\n' '\001'; echo; }
whole "$out" | grep -Eq -- "$out_pattern" || report "standard output does not match: $out_pattern"
whole "$err" | grep -Eq -- "$err_pattern" || report "standard error does not match: $err_pattern"
exit 0
