#!/bin/sh
# Usage: expect_interrupt.sh TARGET COMMAND... : starts COMMAND (which must show --progress and
# write TARGET), sends it SIGINT once its first progress line is out, and passes when it then
# exits with status 130, says "interrompido" last on standard error and leaves TARGET as it was.
target="$1"; shift
err_file=$(mktemp); trap 'rm -f "$err_file"' EXIT
printf 'old contents\n' >"$target"
"$@" >/dev/null 2>"$err_file" &
pid=$!
tries=0
while [ ! -s "$err_file" ]; do
  tries=$((tries + 1))
  [ "$tries" -le 600 ] || { kill "$pid"; echo "no progress line within 60 s"; exit 1; }
  sleep 0.1
done
kill -INT "$pid"
wait "$pid"; status=$?
[ "$status" -eq 130 ] || { echo "exit status $status, expected 130"; cat "$err_file"; exit 1; }
[ "$(tail -n 1 "$err_file")" = "interrompido" ] || { echo "standard error:"; cat "$err_file"; exit 1; }
[ "$(cat "$target")" = "old contents" ] || { echo "the target changed"; exit 1; }
exit 0
