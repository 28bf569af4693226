#!/bin/bash
# Installs the build tree into a fresh prefix and checks what lands there: the
# programs, the help, the desktop entry, the project file type, the icons and
# the AppStream data, each file as the desktop's own tools read it.
# Usage: check_install.sh BUILD_DIR VERSION
set -u
build=$1
version=$2
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

# Help, version and usage errors answer without a display.
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=)
check "tolvane --version" test "$("${no_display[@]}" "$prefix/bin/tolvane" --version)" = "tolvane $version"
check "tolvane --help" bash -c "set -o pipefail; '$prefix/bin/tolvane' --help | grep -x 'Usage: tolvane \[PROJECT.qvl\]' >/dev/null"
"${no_display[@]}" "$prefix/bin/tolvane" --no-such-option >"$prefix/out" 2>"$prefix/err"
check "an unknown option exits 2" test $? = 2
check "an unknown option prints nothing on stdout" test ! -s "$prefix/out"
check "an unknown option prints the usage on stderr" grep -q '^Usage: tolvane' "$prefix/err"

[ "$failures" = 0 ] && echo "Installed tree checked." || echo "$failures failures."
exit $((failures != 0))
