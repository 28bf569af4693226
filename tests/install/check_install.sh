#!/bin/bash
# Installs the build tree into a fresh prefix and checks what lands there: the
# programs, the help, the desktop entry, the project file type, the icons, the
# AppStream data, the manual pages and the bash completion, each file as the
# desktop's own tools read it. MANDIR and DATADIR are the install's own
# folders, relative to the prefix.
# Usage: check_install.sh BUILD_DIR VERSION MANDIR DATADIR
set -u
build=$1
version=$2
mandir=$3
datadir=$4
here=$(dirname "$0")
prefix=$(mktemp -d "${TMPDIR:-/tmp}/tolvane-install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

check() {
    local what=$1
    shift
    "$@" || fail "$what"
}

png_size() {
    local hex
    hex=$(od -An -tx1 -j16 -N8 "$1" | tr -d ' \n')
    echo "$((16#${hex:0:8}))x$((16#${hex:8:8}))"
}

cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
share=$prefix/share

check "the build tree marker stays in the build tree" test ! -e "$prefix/bin/tolvane-build-tree"
for program in tolvane tolvane-cli; do
    check "$program is executable" test -x "$prefix/bin/$program"
done
check "help pages installed" test -f "$share/tolvane/help/topic10.htm"

for size in 16 22 24 32 48 64 128 256; do
    icon=$share/icons/hicolor/${size}x${size}/apps/tolvane.png
    if [ -f "$icon" ]; then
        check "$icon is ${size}x${size}" test "$(png_size "$icon")" = "${size}x${size}"
    else
        fail "missing $icon"
    fi
done
check "scalable icon installed" test -f "$share/icons/hicolor/scalable/apps/tolvane.svg"

desktop=$share/applications/tolvane.desktop
echo "desktop-file-validate $desktop"
check "desktop-file-validate" desktop-file-validate "$desktop"
check "desktop entry claims the project type" grep -qx 'MimeType=application/x-tolvane-project;' "$desktop"
check "desktop entry claims no image type" bash -c "! grep -q 'image/' '$desktop'"

check "MIME package installed" test -f "$share/mime/packages/tolvane.xml"
check "update-mime-database reads the package" env XDG_DATA_DIRS="$share" update-mime-database "$share/mime"
check "*.qvl is a Tolvane project" grep -q '^[0-9]*:application/x-tolvane-project:\*\.qvl$' "$share/mime/globs2"
check "the project type is a kind of text" grep -qx 'application/x-tolvane-project text/plain' "$share/mime/subclasses"

metainfo=$share/metainfo/org.tolvane.tolvane.metainfo.xml
echo "appstreamcli validate --no-net $metainfo"
check "appstreamcli validate" appstreamcli validate --no-net "$metainfo"

# The formatters come from Debian's groff-base and man-db (make deps).
formats_cleanly() {
    local warnings status
    warnings=$(groff -man -Tutf8 -ww -z "$1" 2>&1)
    status=$?
    [ -z "$warnings" ] || echo "$warnings"
    [ "$status" = 0 ] && [ -z "$warnings" ]
}

# The options that `tolvane-cli COMMAND --help` lists, as "COMMAND OPTION"
# lines; "-" stands for the program itself.
cli_options() {
    local cli=$prefix/bin/tolvane-cli command
    local -a words
    for command in - $("$cli" --help | awk '/^Subcommands:/ { listed = 1; next } listed && NF { print $1 }'); do
        words=()
        [ "$command" = - ] || words=("$command")
        "$cli" "${words[@]}" --help |
            awk '/^  -/ { print $1 }' | tr ',' '\n' | sed 's/[{ ].*//' | grep '^--' | sed "s/^/$command /"
    done
}

# The part of the tolvane-cli page about COMMAND ("-": the OPTIONS section),
# with roff's "\-" as "-".
page_part() {
    sed 's/\\-/-/g' "$1" | awk -v command="$2" '
        /^\.S[HS] / { on = command == "-" ? $0 ~ /^\.SH OPTIONS/ : index($0, ".SS \"" command " ") == 1 }
        on'
}

man1=$prefix/$mandir/man1
if command -v groff >/dev/null && command -v lexgrog >/dev/null; then
    for program in tolvane tolvane-cli; do
        page=$man1/$program.1
        [ -f "$page" ] || { fail "missing $page"; continue; }
        echo "groff -man -ww $page"
        check "$program.1 formats without warnings" formats_cleanly "$page"
        check "$program.1 has a NAME line for whatis" bash -c "lexgrog '$page' | grep -q '\"$program - '"
        check "$program.1 names version $version" grep -q "\"Tolvane $version\"" "$page"
    done
else
    fail "groff or lexgrog missing: make deps installs groff-base and man-db"
fi

# Every option that the program lists is described in the page and offered
# by the completion, and so is every command.
options=$prefix/options
cli_options >"$options"
check "tolvane-cli --help lists options" test -s "$options"
while read -r command option; do
    # The page tells once that every command takes --help.
    [ "$command" != - ] && [ "$option" = --help ] && continue
    page_part "$man1/tolvane-cli.1" "$command" | grep -qE -- "$option([^a-z-]|$)" ||
        fail "tolvane-cli.1 does not describe $option of $command"
done <"$options"
offers=$prefix/offers
awk '$1 == "-" { print "tolvane-cli --|" $2; next }
     { print "tolvane-cli |" $1; print "tolvane-cli " $1 " --|" $2 }' "$options" | sort -u >"$offers"

completion=$prefix/$datadir/bash-completion/completions/tolvane-cli
if [ -f "$completion" ]; then
    echo "bash completion $completion"
    check "bash completion of tolvane-cli" bash "$here/check_completion.sh" "$completion" "$offers"
else
    fail "missing $completion"
fi

# Help, version and usage errors answer without a display.
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=)
check "tolvane --version" test "$("${no_display[@]}" "$prefix/bin/tolvane" --version)" = "tolvane $version"
check "tolvane --help" bash -c "set -o pipefail; '$prefix/bin/tolvane' --help | grep -x 'Usage: tolvane \[--dark\] \[PROJECT.qvl\]' >/dev/null"
"${no_display[@]}" "$prefix/bin/tolvane" --no-such-option >"$prefix/out" 2>"$prefix/err"
check "an unknown option exits 2" test $? = 2
check "an unknown option prints nothing on stdout" test ! -s "$prefix/out"
check "an unknown option prints the usage on stderr" grep -q '^Usage: tolvane' "$prefix/err"

[ "$failures" = 0 ] && echo "Installed tree checked." || echo "$failures failures."
exit $((failures != 0))
