#!/usr/bin/env bash
# zaqsite's --help names every command and option, and its manual page (made
# from that help by the build) carries each of them, as man shows the page:
#   zaqsite_help_test.sh ZAQSITE MANPAGE VERSION
set -uo pipefail
zaqsite="$1"
page="$2"
version="$3"
failed=0
complain() { echo "$*"; failed=1; }

help="$("$zaqsite" --help 2>"${TMPDIR:-/tmp}/zaqsite-help.$$")"
status=$?
[ "$status" -eq 0 ] || complain "zaqsite --help ended with $status"
[ -s "${TMPDIR:-/tmp}/zaqsite-help.$$" ] && complain "zaqsite --help wrote to stderr: $(cat "${TMPDIR:-/tmp}/zaqsite-help.$$")"
rm -f "${TMPDIR:-/tmp}/zaqsite-help.$$"

[ "$("$zaqsite" --version)" = "zaqsite (ZAQ main menu) $version" ] || complain "zaqsite --version: $("$zaqsite" --version)"

# The commands are the lines "  zaqsite NAME …"; the options are every --name
# the help mentions.
commands="$(sed -n 's/^  zaqsite \([a-z][a-z-]*\).*/\1/p' <<<"$help" | sort -u)"
options="$(grep -o -- '--[a-z][a-z-]*' <<<"$help" | sort -u)"
[ -n "$commands" ] || complain "zaqsite --help lists no command"
for must in init-demo query audit; do
  grep -qx "$must" <<<"$commands" || complain "zaqsite --help does not list $must"
done

# Every command line is followed by what the command does.
undescribed="$(awk '/^  zaqsite [a-z]/ { if (line != "") print line; line = $0; next }
  line != "" && /^                      [^ ]/ { line = "" } END { if (line != "") print line }' <<<"$help")"
[ -z "$undescribed" ] || complain "commands without a description in zaqsite --help: $undescribed"

# Every option a command line takes is explained under Options.
described="$(sed -n '/^Options:/,/^$/s/^  \(--[a-z][a-z-]*\).*/\1/p' <<<"$help")"
for option in $(grep '^  zaqsite [a-z]' <<<"$help" | grep -o -- '--[a-z][a-z-]*' | sort -u); do
  grep -qx -- "$option" <<<"$described" || complain "the option $option is not explained under Options in zaqsite --help"
done

# The page as a person reads it: plain text, lines wide enough not to break a command.
shown="$(LANG=C LC_ALL=C MANWIDTH=250 man -P cat -l "$page" 2>&1)"
grep -q '^NAME' <<<"$shown" || complain "man cannot show $page: $shown"
for command in $commands; do
  grep -q -- "zaqsite $command" <<<"$shown" || complain "the manual page lacks the command $command"
done
for option in $options; do
  grep -q -- "$option" <<<"$shown" || complain "the manual page lacks the option $option"
done
for section in EXAMPLES FILES "SEE ALSO"; do
  grep -q "^$section" <<<"$shown" || complain "the manual page lacks its $section section"
done
exit "$failed"
