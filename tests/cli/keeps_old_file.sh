#!/bin/sh
# Usage: keeps_old_file.sh COMMAND... : runs COMMAND, in which the word ALVO names an existing
# 20,000-byte file, with writing limited to one block as on a full disk. Passes when the command
# exits 1 naming the file, the file holds its old content, and no other file was left beside it.
folder=$(mktemp -d); trap 'rm -rf "$folder"' EXIT
target="$folder/alvo.txt"
head -c 20000 /dev/urandom > "$target"
cp "$target" "$folder.reference"; trap 'rm -rf "$folder" "$folder.reference"' EXIT
for word; do
  shift
  if [ "$word" = ALVO ]; then set -- "$@" "$target"; else set -- "$@" "$word"; fi
done
err=$( (ulimit -f 1; trap '' XFSZ; exec "$@") 2>&1 >/dev/null ); status=$?
fail() { echo "$1"; echo "standard error: $err"; exit 1; }
[ "$status" -eq 1 ] || fail "exit status $status, expected 1"
printf '%s' "$err" | grep -q "Não foi possível gravar o arquivo \"$target\"" || fail "no message naming the file"
cmp -s "$target" "$folder.reference" || fail "the old content was lost"
[ "$(ls -A "$folder")" = alvo.txt ] || fail "left beside it: $(ls -A "$folder")"
exit 0
