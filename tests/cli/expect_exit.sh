#!/bin/sh
# Usage: expect_exit.sh STATUS PATTERN COMMAND... : passes when COMMAND exits with STATUS
# and its standard output and error together match the extended regular expression PATTERN.
expected="$1"; pattern="$2"; shift 2
output=$("$@" 2>&1); status=$?
if [ "$status" -ne "$expected" ]; then
  echo "exit status $status, expected $expected; output:"; echo "$output"; exit 1
fi
if ! printf '%s\n' "$output" | grep -Eq -- "$pattern"; then
  echo "output does not match: $pattern"; echo "$output"; exit 1
fi
exit 0
