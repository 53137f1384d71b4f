#!/usr/bin/env bash
# Fails when a subcommand or an option that qrnplan's help prints is missing from its manual
# page, so that the page and the help cannot drift apart.
qrnplan=${1:?usage: check_manpage.sh QRNPLAN PAGE}
page=${2:?usage: check_manpage.sh QRNPLAN PAGE}
# The page's words as the reader sees them: "\-" is a minus sign.
text=$(sed 's/\\-/-/g' "$page") || exit 2
help=$("$qrnplan" --help) || { echo "qrnplan --help failed"; exit 2; }
# The subcommands: the help's indented lines that do not start with an option.
subcommands=$(sed -n 's/^  \([a-z][a-z]*\) .*/\1/p' <<<"$help")
[ -n "$subcommands" ] || { echo "no subcommand in qrnplan --help"; exit 2; }
all_help=$help
for sub in $subcommands; do
    sub_help=$("$qrnplan" "$sub" --help) || { echo "qrnplan $sub --help failed"; exit 2; }
    all_help+=$'\n'$sub_help
done
options=$(grep -o -E -- '(^|[][ (])--?[a-z][a-z-]*' <<<"$all_help" | sed 's/^[][ (]//' | sort -u)
status=0
for word in $subcommands $options; do
    grep -q -E -- "(^|[^a-z-])${word}([^a-z-]|$)" <<<"$text" \
        || { echo "$page: missing ${word}"; status=1; }
done
exit $status
