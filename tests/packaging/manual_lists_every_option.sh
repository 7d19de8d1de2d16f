#!/bin/sh
# Checks that the manual page of quadrix-cli names the same subcommands and options as the
# program's help, so that neither changes without the other.
# Usage: manual_lists_every_option.sh QUADRIX_CLI MANUAL_PAGE
set -eu
cli=$1
manual=$2

# Options as words of their own: "-o", "--depth", not the dash inside "Windows-1252".
options() {
  grep -oE '(^|[ ,[])--?[a-zA-Z][a-zA-Z0-9-]*' | sed 's/^[ ,[]//' | sort -u
}
# The page as plain text: roff's escaped hyphens and font changes removed.
plain_manual() {
  sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$manual"
}

help_commands=$("$cli" --help | sed -n '/^Subcommands:/,$s/^  \([a-z][a-z0-9-]*\) .*/\1/p' | sort)
[ -n "$help_commands" ] || { echo "FAIL: quadrix-cli --help lists no subcommand"; exit 1; }
manual_commands=$(plain_manual | sed -n '/^\.SH COMANDOS/,/^\.SH /s/^\.B \([a-z][a-z0-9-]*\)$/\1/p' |
  sort)
help_options=$({ "$cli" --help; for c in $help_commands; do "$cli" "$c" --help; done; } | options)
manual_options=$(plain_manual | options)

failed=0
compare() {
  what=$1
  from_help=$2
  from_manual=$3
  for item in $from_help; do
    echo "$from_manual" | grep -qxF -- "$item" ||
      { echo "FAIL: $what $item is in the help but not in $manual"; failed=1; }
  done
  for item in $from_manual; do
    echo "$from_help" | grep -qxF -- "$item" ||
      { echo "FAIL: $what $item is in $manual but not in the help"; failed=1; }
  done
}
compare subcommand "$help_commands" "$manual_commands"
compare option "$help_options" "$manual_options"
[ "$failed" -eq 0 ] && echo "the manual page names the $(echo $help_commands | wc -w) subcommands" \
  "and $(echo $help_options | wc -w) options of the help"
exit "$failed"
