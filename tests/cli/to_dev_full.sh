#!/bin/sh
# Usage: to_dev_full.sh COMMAND... : runs COMMAND with its standard output on a full device.
exec "$@" > /dev/full
