#!/bin/sh
# Starts the program under a virtual X server and checks it is alive after two seconds.
program="$1"
exec xvfb-run -a sh -c '
  env -u QT_QPA_PLATFORM "$0" & pid=$!
  sleep 2
  if kill -0 "$pid" 2>/dev/null; then kill "$pid"; exit 0; fi
  echo "the program ended within two seconds" >&2
  exit 1' "$program"
