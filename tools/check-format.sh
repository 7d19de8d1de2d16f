#!/bin/sh
# Fails, naming the files, when a C++ file of the repository differs from .clang-format.
# Usage: sh tools/check-format.sh   (needs Debian's clang-format)
set -eu
cd "$(dirname "$0")/.."
unformatted=$(git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run 2>&1 |
  sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: warning:.*/\1/p' | sort -u)
if [ -n "$unformatted" ]; then
  echo "Not formatted with .clang-format (run clang-format -i on them):" >&2
  echo "$unformatted" | sed 's/^/  /' >&2
  exit 1
fi
echo "Every C++ file follows .clang-format."
