#!/bin/bash
# Completes command lines of tolvane-cli with the given bash completion file,
# as bash would call it on Tab, and compares the replies. Each line
# "LINE|WORD" of OFFERS_FILE asks that the replies to LINE hold WORD (or
# WORD=, an option that waits for its value).
# Usage: check_completion.sh COMPLETION_FILE [OFFERS_FILE]
set -u
completion=$1
offers=$(readlink -f "${2:-/dev/null}")
folder=$(mktemp -d "${TMPDIR:-/tmp}/tolvane-completion.XXXXXX")
trap 'rm -rf "$folder"' EXIT
failures=0

if [ -f /usr/share/bash-completion/bash_completion ]; then
    # shellcheck source=/dev/null
    . /usr/share/bash-completion/bash_completion
fi
# shellcheck source=/dev/null
. "$completion"
function=$(complete -p tolvane-cli 2>/dev/null | sed -n 's/.*-F \([^ ]*\) .*/\1/p')
if [ -z "$function" ]; then
    echo "FAIL: $completion registers no completion function for tolvane-cli"
    exit 1
fi

cd "$folder" || exit 1
touch ball.qvl frame.bmp
mkdir sub

# The words of the line as bash splits them ("=" breaks words by default);
# a line that ends in a space completes an empty word.
replies() {
    local -a COMP_WORDS COMPREPLY=()
    read -ra COMP_WORDS <<<"$1"
    [[ $1 == *" " ]] && COMP_WORDS+=("")
    local COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    "$function"
    printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' '
}

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

while IFS='|' read -r line word; do
    got=" $(replies "$line") "
    [[ $got == *" $word "* || $got == *" $word= "* ]] || fail "'$line' does not offer $word"
done <"$offers"

while IFS='|' read -r line expected; do
    got=$(replies "$line")
    [ "$got" = "$expected" ] || fail "'$line' completes to '$got', not '$expected'"
done <<'CASES'
tolvane-cli |check extract fill resave sheet show
tolvane-cli sheet --|--color= --dry-run --help --json --layout --output --padding --region --sheet-format --trim
tolvane-cli sheet --layout |column grid: packed row
tolvane-cli extract --sheet-format |array hash
tolvane-cli ex|extract
tolvane-cli --v|--version
tolvane-cli extract --d|--depfile --dry-run
tolvane-cli extract --c|--changed --changed= --clips --color=
tolvane-cli check --|--color= --help --json
tolvane-cli show --|--help --json
tolvane-cli resave --|--force --help
tolvane-cli fill --|--force --frames --help --output --region
tolvane-cli check --color =|always auto never
tolvane-cli check --color = al|always
tolvane-cli check --color=n|--color=never
tolvane-cli extract --color |always auto never
tolvane-cli extract --dry-run |ball.qvl sub
tolvane-cli extract --index |ball.qvl frame.bmp sub
tolvane-cli fill ball.qvl --region |
CASES

[ "$failures" = 0 ] && echo "Completion checked." || echo "$failures completion failures."
exit $((failures != 0))
