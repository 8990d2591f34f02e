#!/bin/sh
# Generates a project with each C++ template for a few names, with the real
# wiz run unattended, and checks the result with the tools of the platform
# the projects are for: the MinGW-w64 cross compiler (against the small SDK
# stubs in sdk/), its resource compiler, and an XML parser.
#
#   sh check_generated.sh <build dir> <source dir>
#
# Exit 0 passed, 1 failed, 77 skipped (a tool is missing; never in CI).
set -u

build=$(cd "${1:?build dir}" && pwd -P)
source=$(cd "${2:?source dir}" && pwd -P)
sdk="$source/tests/generated/sdk"
cxx=x86_64-w64-mingw32-g++
windres=x86_64-w64-mingw32-windres

for tool in $cxx $windres xmllint iconv; do
    if ! command -v $tool >/dev/null 2>&1; then
        echo "SKIP: $tool is missing (./build.sh test installs it)"
        [ -n "${CI:-}" ] && exit 1
        exit 77
    fi
done
[ -x "$build/wiz" ] || { echo "FAIL: $build/wiz is missing: build first"; exit 1; }

# Checks run side by side in subshells, so failures are counted in a file.
fail() {
    echo "FAIL: $*" | tee -a "$tmp/failures"
}

tmp=$(mktemp -d "${TMPDIR:-/tmp}/wiz_generated.XXXXXX") || exit 1
trap 'rm -rf "$tmp"' EXIT
trap 'exit 1' HUP INT TERM
: >"$tmp/failures"
mkdir "$tmp/config" "$tmp/config/zelk" "$tmp/runtime"
chmod 700 "$tmp/runtime"
# The scripted panel asks which project files to write; unattended, its dialog
# is closed and goes on with these stored choices: both kinds.
printf '[General]\nzelk_script_wizard_dsw=1\nzelk_script_wizard_sln=1\n' >"$tmp/config/zelk/wiz.conf"

# One unattended run into location $1 for project $2 with template $3; the
# rest goes to the template. Standard error is kept in $1/$2.err.
wiz() {
    location=$1 project=$2 key=$3
    shift 3
    mkdir -p "$location"
    (cd "$build" &&
        env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen \
            XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp/runtime" \
            timeout 30 ./wiz "/path=$location" "/project=$project" "/key=$key" "$@" \
            >/dev/null 2>"$location/$project.err") ||
        fail "wiz for $project with \"$key\" exited with $?: $(cat "$location/$project.err")"
}

# The preprocessor definitions of the release build of a Visual Studio 6
# project file, as compiler options.
definitions() {
    grep -m1 '^# ADD CPP ' "$1" | tr -d '\r' | grep -o '/D "[^"]*"' | sed 's|/D "\(.*\)"|-D\1|'
}

# Compiles every source of the project in $1 the way its project file says,
# as the oldest and the newest standard the templates are written for. The
# pragmas that are unknown here are the other compiler's warning switches.
compile() {
    dir=$1
    set -- $(definitions "$dir"/*.dsp)
    [ $# -gt 0 ] || { fail "$dir: no definitions in its project file"; return; }
    for file in "$dir"/*.cpp; do
        for standard in c++98 c++17; do
            $cxx -fsyntax-only -std=$standard -Wall -Werror -Wno-unknown-pragmas \
                -I "$dir" -I "$sdk" "$@" "$file" >"$dir.cxx.log" 2>&1 ||
                fail "$file does not compile as $standard: $(head -20 "$dir.cxx.log")"
        done
    done
}

# Resource scripts through the resource compiler, XML files through the parser.
resources_and_xml() {
    dir=$1
    for file in "$dir"/*.rc; do
        [ -f "$file" ] || continue
        $windres -I "$dir" -I "$sdk" "$file" -O coff -o "$dir.res.o" >"$dir.rc.log" 2>&1 ||
            fail "$file does not compile: $(head -20 "$dir.rc.log")"
    done
    for file in "$dir"/*.vcxproj "$dir"/*.filters "$dir"/*.zelk_ui; do
        [ -f "$file" ] || continue
        xmllint --noout "$file" >"$dir.xml.log" 2>&1 ||
            fail "$file is not well-formed XML: $(head -5 "$dir.xml.log")"
    done
}

panel="Create C++ Scripted UI / Panel"
automatic="Create C++ Scripted UI/Panel - Automatic (with Infodriver)"
newwizard="Create New Wizard"
singleton="Create New Singleton ConfigClass Wizard"

# A name outside ASCII: UTF-8 in the files that declare UTF-8, the Windows-1252
# byte 0xE4 in the 8-bit ones, and the solution names the project file on disk.
encodings() {
    dir=$1
    utf8=$(printf 'Z\303\244hler')
    cp1252=$(printf 'Z\344hler')
    for file in "$dir"/Zähler.*; do
        case $file in
        *.vcxproj | *.filters | *.sln)
            iconv -f UTF-8 -t UTF-8 "$file" >/dev/null 2>&1 || fail "$file is not UTF-8"
            LC_ALL=C grep -qF "$utf8" "$file" || fail "$file does not name the project in UTF-8"
            ;;
        *.rc) ;; # not every resource script names the project
        *)
            LC_ALL=C grep -qF "$cp1252" "$file" ||
                fail "$file does not name the project in Windows-1252"
            ;;
        esac
    done
    for solution in "$dir"/*.sln; do
        [ -f "$solution" ] || continue
        project=$(LC_ALL=C sed -n 's/^Project([^)]*) = "[^"]*", "\([^"]*\)".*/\1/p' "$solution")
        [ -n "$project" ] && [ -f "$dir/$project" ] ||
            fail "$solution names the project file \"$project\", which is not there"
    done
}

dirs() {
    for key in "$panel" "$automatic" "$newwizard" "$singleton"; do
        echo "$tmp/$(echo "$key" | tr -c 'a-zA-Z\n' _)"
    done
}

names="Meter cfg Zähler"
for name in $names; do
    for key in "$panel" "$automatic" "$newwizard" "$singleton"; do
        wiz "$tmp/$(echo "$key" | tr -c 'a-zA-Z\n' _)" "$name" "$key"
    done
done

# A name that is no C++ identifier is written all the same, with one warning.
for name in 9lives my-meter Zähler Meter; do
    wiz "$tmp/warned" "$name" "$singleton"
    warnings=$(grep -c "^wiz: \"$name\" is not a C++ identifier" "$tmp/warned/$name.err")
    case $name in
    Meter) expected=0 ;;
    *) expected=1 ;;
    esac
    [ "$warnings" -eq $expected ] || fail "$warnings warnings instead of $expected for \"$name\""
    [ -f "$tmp/warned/$name/$name.cpp" ] || fail "no project written for \"$name\""
done

# A title is 8-bit text in the resource script: the euro sign is 0x80 there.
wiz "$tmp/title" Meter "$panel" "/title=5 €"
LC_ALL=C grep -qF "$(printf '"FileDescription", "5 \200\\0"')" "$tmp/title/Meter/Meter.rc" ||
    fail "the title \"5 €\" is not \"5 \\x80\" in the resource script"

# The tools take longest; each name runs through them beside the others.
for name in $names; do
    (
        for location in $(dirs); do
            case $name in
            Zähler) encodings "$location/$name" ;; # no C++ identifier: the host warns of it
            *) compile "$location/$name" ;;
            esac
            resources_and_xml "$location/$name"
        done
    ) &
done
wait

failures=$(grep -c "^FAIL: " "$tmp/failures")
[ "$failures" -eq 0 ] || { echo "$failures failures"; exit 1; }
echo "PASS"
