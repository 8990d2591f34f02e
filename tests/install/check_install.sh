#!/bin/sh
# Checks wiz as it reaches users: installed into a prefix, as a Debian package,
# the desktop entry and manual page that come with it, and the template kit
# with which a template is built outside this source tree.
#
#   sh check_install.sh tree    <build dir> <source dir> [cmake]
#   sh check_install.sh package <build dir> <source dir> <version> [cpack]
#   sh check_install.sh desktop <build dir> <source dir>
#   sh check_install.sh kit     <build dir> <source dir> <cmake> <ctest>
#
# Exit 0 passed, 1 failed, 77 skipped (a tool this check needs is missing).
set -u

mode=${1:?mode}
build=$(cd "${2:?build dir}" && pwd -P)
source=$(cd "${3:?source dir}" && pwd -P)

# In the order the host lists them: by library file name, case ignored.
plugins="panelWatch plugin soleStore zelk_script_docs_only zelk_script_wizard"
titles="Create C++ Scripted UI/Panel - Automatic (with Infodriver)
Create New Wizard
Create New Singleton ConfigClass Wizard
Create C++ Scripted UI / Panel - DOCS ONLY
Create C++ Scripted UI / Panel"

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
skip() {
    echo "SKIP: $*"
    exit 77
}
have() {
    command -v "$1" >/dev/null 2>&1
}

tmp=$(mktemp -d "${TMPDIR:-/tmp}/wiz_install.XXXXXX") || exit 1
manifest="$build/install_manifest.txt"
cleanup() {
    # An install into the temporary prefix rewrites the build tree's record of
    # installed files; the user's own record of a real install is put back.
    if [ -f "$tmp/install_manifest.txt" ]; then
        cp -p "$tmp/install_manifest.txt" "$manifest"
    elif [ -f "$tmp/no_manifest" ]; then
        rm -f "$manifest"
    fi
    rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 1' HUP INT TERM

keep_manifest() {
    if [ -f "$manifest" ]; then
        cp -p "$manifest" "$tmp/install_manifest.txt"
    else
        : >"$tmp/no_manifest"
    fi
}

# The five templates come from the complete build; without them every check
# below would fail for a reason that is not its own.
need_build() {
    [ -x "$build/wiz" ] || { echo "FAIL: $build/wiz is missing: build first"; exit 1; }
    for plugin in $plugins; do
        [ -f "$build/plugins/$plugin.so" ] ||
            { echo "FAIL: $build/plugins/$plugin.so is missing: build first"; exit 1; }
    done
}

# A run of the installed program as on a headless machine of a new user:
# offscreen, settings in a temporary directory, from an unrelated directory.
run_wiz() {
    program=$1
    shift
    (cd "$tmp/work" &&
        env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen \
            XDG_CONFIG_HOME="$tmp/config" XDG_CACHE_HOME="$tmp/cache" \
            XDG_RUNTIME_DIR="$tmp/runtime" QT_LOGGING_RULES="default.debug=true" \
            timeout 30 "$program" "$@")
}

# No RPATH or RUNPATH may lead into the build tree: an installed program must
# not find libraries in a directory that can vanish or belong to someone else.
# A package is stripped, so nothing in it may even name the build tree; a plain
# install keeps its debugging data, which names it by nature.
check_binary() {
    file=$1
    stripped=$2
    if have readelf; then
        paths=$(readelf -d "$file" 2>/dev/null | grep -E '\((RPATH|RUNPATH)\)')
        case $paths in
        *"$build"*) fail "$file has a search path into the build tree: $paths" ;;
        esac
    fi
    if [ "$stripped" = stripped ] && grep -q -F -a "$build" "$file"; then
        fail "$file contains the build directory path $build"
    fi
}

png_is_32x32() {
    # PNG signature, then the IHDR chunk with width and height as 32-bit numbers.
    [ "$(od -An -tx1 -N8 "$1" | tr -d ' \n')" = 89504e470d0a1a0a ] &&
        [ "$(od -An -tx1 -j16 -N8 "$1" | tr -d ' \n')" = 0000002000000020 ]
}

# Installs the build into $tmp/prefix, with the folders run_wiz needs.
install_prefix() {
    prefix="$tmp/prefix"
    mkdir -p "$tmp/work" "$tmp/config" "$tmp/cache" "$tmp/projects"
    mkdir -m 700 "$tmp/runtime"
    keep_manifest
    if ! timeout 120 "$1" --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1; then
        cat "$tmp/install.log"
        fail "cmake --install failed"
        return 1
    fi
}

check_tree() {
    need_build
    cmake=${4:-cmake}
    have "$cmake" || skip "cmake is not installed"
    install_prefix "$cmake" || return

    for file in bin/wiz share/applications/wiz.desktop share/icons/hicolor/32x32/apps/wiz.png \
        share/doc/wiz/copyright share/wiz/translations/wiz_de.qm; do
        [ -f "$prefix/$file" ] || fail "$file is not installed"
    done
    [ -f "$prefix/share/man/man1/wiz.1.gz" ] || [ -f "$prefix/share/man/man1/wiz.1" ] ||
        fail "the manual page is not installed"
    [ -f "$prefix/share/icons/hicolor/32x32/apps/wiz.png" ] &&
        { png_is_32x32 "$prefix/share/icons/hicolor/32x32/apps/wiz.png" ||
            fail "the installed icon is no 32x32 PNG"; }
    for plugin in $plugins; do
        [ -f "$prefix/lib/wiz/plugins/$plugin.so" ] || fail "lib/wiz/plugins/$plugin.so is not installed"
    done
    [ -x "$prefix/bin/wiz" ] || return
    for file in "$prefix/bin/wiz" "$prefix"/lib/wiz/plugins/*.so; do
        check_binary "$file" unstripped
    done

    run_wiz "$prefix/bin/wiz" --list >"$tmp/list.out" 2>"$tmp/list.err"
    status=$?
    [ $status -eq 0 ] || { cat "$tmp/list.err"; fail "wiz --list exited with $status"; }
    printf '%s\n' "$titles" >"$tmp/list.expected"
    if ! cmp -s "$tmp/list.expected" "$tmp/list.out"; then
        echo "expected:"; cat "$tmp/list.expected"
        echo "got:"; cat "$tmp/list.out"
        fail "wiz --list from the installed tree does not print the five titles in order"
    fi
    # The templates must be the installed ones, not any that happen to be near.
    for plugin in $plugins; do
        grep -q -F -- "- $prefix/lib/wiz/plugins/$plugin.so" "$tmp/list.err" ||
            fail "$plugin was not listed from $prefix/lib/wiz/plugins"
    done

    # The installed program finds its own catalog.
    LANGUAGE=de run_wiz "$prefix/bin/wiz" --dryrun >/dev/null 2>"$tmp/german.err"
    grep -q -F "unbekannte Option --dryrun" "$tmp/german.err" ||
        { cat "$tmp/german.err"; fail "the installed wiz does not speak German under LANGUAGE=de"; }

    run_wiz "$prefix/bin/wiz" /path="$tmp/projects" /project=meter \
        "/key=Create C++ Scripted UI / Panel" /title=Meter >"$tmp/run.out" 2>"$tmp/run.err"
    status=$?
    [ $status -eq 0 ] || { cat "$tmp/run.err"; fail "the unattended run exited with $status"; }
    project="$tmp/projects/meter"
    for file in p1.zelk_ui meter.cpp meter.h meter.rc resource.h docs/meter.md docs/meter.hhp \
        docs/example.png; do
        [ -s "$project/$file" ] || fail "the unattended run did not write $file"
    done
    [ -f "$project/meter.rc" ] && { grep -q -a -F 'Meter\0' "$project/meter.rc" ||
        fail "the title did not reach meter.rc"; }
}

# The files of the template kit, below the prefix or /usr.
kit_files="include/zelkwizard/zelk_wizard_plugin.h include/zelkwizard/wiz_util.h
include/zelkwizard/projectwriter.h
include/zelkwizard/plugin_icon.xpm lib/cmake/ZelkWizard/ZelkWizardConfig.cmake
lib/cmake/ZelkWizard/ZelkWizardConfigVersion.cmake lib/cmake/ZelkWizard/WizPlugin.cmake
lib/cmake/ZelkWizard/WizTemplateTest.cmake lib/cmake/ZelkWizard/WizPackage.cmake
share/doc/wiz-dev/examples/greeting/CMakeLists.txt"

# The installed example template built against the installed kit, as its
# author would: find_package(ZelkWizard) with the prefix on CMAKE_PREFIX_PATH,
# its own template test, the installed wiz finding it through WIZ_PLUGIN_PATH,
# and its Debian package unpacked into a root of its own and listed from there.
check_kit() {
    need_build
    cmake=${4:?cmake}
    ctest=${5:?ctest}
    example="$tmp/greeting"
    install_prefix "$cmake" || return
    for file in $kit_files; do
        [ -f "$prefix/$file" ] || fail "the kit lacks $file"
    done
    ls "$prefix"/lib*/libwiz_util.a "$prefix"/lib*/libwiz_util_nodir.a >/dev/null 2>&1 ||
        fail "the kit lacks the support library in both variants"

    if ! timeout 120 "$cmake" -S "$prefix/share/doc/wiz-dev/examples/greeting" -B "$example" \
        -DCMAKE_PREFIX_PATH="$prefix" >"$tmp/configure.log" 2>&1; then
        cat "$tmp/configure.log"
        fail "the example does not configure against the installed kit"
        return
    fi
    if ! timeout 240 "$cmake" --build "$example" >"$tmp/build.log" 2>&1; then
        cat "$tmp/build.log"
        fail "the example does not build against the installed kit"
        return
    fi
    [ -f "$example/plugins/greeting.so" ] || { fail "the example built no plugins/greeting.so"; return; }
    grep -q -a stamp_zelk_wizard_plugin "$example/plugins/greeting.so" ||
        fail "the example carries no version stamp"

    (cd "$example" && timeout 120 "$ctest" --output-on-failure >"$tmp/ctest.log" 2>&1) || {
        cat "$tmp/ctest.log"
        fail "the example's template test fails against the installed wiz"
    }

    WIZ_PLUGIN_PATH="$example/plugins" run_wiz "$prefix/bin/wiz" --list >"$tmp/list.out" 2>"$tmp/list.err"
    grep -q -x "Create Greeting" "$tmp/list.out" || {
        cat "$tmp/list.out" "$tmp/list.err"
        fail "the installed wiz does not list the example through WIZ_PLUGIN_PATH"
    }
    WIZ_PLUGIN_PATH="$example/plugins" run_wiz "$prefix/bin/wiz" --batch /path="$tmp/projects" \
        /project=hi "/key=Create Greeting" >"$tmp/run.out" 2>"$tmp/run.err"
    status=$?
    [ $status -eq 0 ] || { cat "$tmp/run.err"; fail "the example's unattended run exited with $status"; }
    grep -q -F 'HI says hello.' "$tmp/projects/hi/hi.cpp" 2>/dev/null ||
        fail "the example's unattended run did not write hi/hi.cpp"

    for tool in dpkg dpkg-deb; do
        have $tool || skip "$tool is not installed (the template's package needs dpkg-dev)"
    done
    if ! timeout 240 "$cmake" --build "$example" --target package >"$tmp/package.log" 2>&1; then
        cat "$tmp/package.log"
        fail "wiz_package_plugin made no package of the example"
        return
    fi
    deb="$example/wiz-template-greeting_1.0_$(dpkg --print-architecture).deb"
    [ -f "$deb" ] || { ls "$example"; fail "the example's package is not $(basename "$deb")"; return; }
    dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' >"$tmp/greeting.contents"
    [ "$(cat "$tmp/greeting.contents")" = ./usr/lib/wiz/plugins/greeting.so ] || {
        cat "$tmp/greeting.contents"
        fail "the example's package holds more or less than /usr/lib/wiz/plugins/greeting.so"
    }
    mkdir -p "$tmp/greeting_root"
    dpkg-deb -x "$deb" "$tmp/greeting_root" || { fail "dpkg-deb cannot unpack $deb"; return; }
    WIZ_PLUGIN_PATH="$tmp/greeting_root/usr/lib/wiz/plugins" run_wiz "$prefix/bin/wiz" --list \
        >"$tmp/list.out" 2>"$tmp/list.err"
    grep -q -x "Create Greeting" "$tmp/list.out" || {
        cat "$tmp/list.out" "$tmp/list.err"
        fail "the installed wiz does not list the example from its unpacked package"
    }
}

check_package() {
    need_build
    version=${4:?version}
    cpack=${5:-cpack}
    have "$cpack" || skip "cpack is not installed"
    for tool in dpkg dpkg-deb dpkg-shlibdeps file; do
        have $tool || skip "$tool is not installed (a Debian package needs dpkg-dev and file)"
    done
    keep_manifest
    # Under the strictest umask, which must not leak into the package's modes.
    if ! (cd "$build" && umask 077 && timeout 240 "$cpack" -G DEB -B "$tmp/out" >"$tmp/cpack.log" 2>&1); then
        cat "$tmp/cpack.log"
        fail "cpack -G DEB failed"
        return
    fi
    deb="$tmp/out/wiz_${version}_$(dpkg --print-architecture).deb"
    devdeb="$tmp/out/wiz-dev_${version}_$(dpkg --print-architecture).deb"
    if [ ! -f "$deb" ]; then
        ls "$tmp/out"
        fail "cpack did not make $(basename "$deb")"
        return
    fi

    dpkg-deb -c "$deb" >"$tmp/contents" || fail "dpkg-deb cannot list the package"
    for file in usr/bin/wiz usr/share/applications/wiz.desktop \
        usr/share/icons/hicolor/32x32/apps/wiz.png usr/share/man/man1/wiz.1.gz \
        usr/share/doc/wiz/copyright; do
        grep -q " \./$file\$" "$tmp/contents" || fail "the package lacks /$file"
    done
    for plugin in $plugins; do
        grep -q " \./usr/lib/wiz/plugins/$plugin\.so\$" "$tmp/contents" ||
            fail "the package lacks /usr/lib/wiz/plugins/$plugin.so"
    done
    # Everything under /usr, owned by root, readable by all: a directory made
    # under a strict umask would lock other users out of the templates.
    awk '$6 != "./" && $6 !~ /^\.\/usr\// { print }' "$tmp/contents" >"$tmp/outside"
    [ -s "$tmp/outside" ] && { cat "$tmp/outside"; fail "the package installs outside /usr"; }
    awk '$2 != "root/root" { print }' "$tmp/contents" >"$tmp/owners"
    [ -s "$tmp/owners" ] && { cat "$tmp/owners"; fail "the package holds files not owned by root"; }
    awk '/^d/ && $1 != "drwxr-xr-x" { print } /^-/ && $1 !~ /^-r.xr.xr.x$/ && $1 != "-rw-r--r--" { print }' \
        "$tmp/contents" >"$tmp/modes"
    [ -s "$tmp/modes" ] && { cat "$tmp/modes"; fail "the package holds entries with unusual modes"; }

    [ "$(dpkg-deb -f "$deb" Package)" = wiz ] || fail "the package is not named wiz"
    [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package version is not $version"
    [ "$(dpkg-deb -f "$deb" Section)" = devel ] || fail "the package section is not devel"
    depends=$(dpkg-deb -f "$deb" Depends)
    case $depends in
    *libqt6widgets6*) ;;
    *) fail "Depends was not computed from the binaries: '$depends'" ;;
    esac

    if [ -f "$devdeb" ]; then
        dpkg-deb -c "$devdeb" >"$tmp/devcontents" || fail "dpkg-deb cannot list the kit's package"
        for file in $kit_files; do
            grep -q " \./usr/$file\$" "$tmp/devcontents" || fail "the package wiz-dev lacks /usr/$file"
        done
        grep -q " \./usr/bin/" "$tmp/devcontents" && fail "the package wiz-dev carries the program"
        case $(dpkg-deb -f "$devdeb" Depends) in
        *"wiz (= $version)"*qt6-base-dev*) ;;
        *) fail "wiz-dev does not depend on wiz $version and Qt's development package" ;;
        esac
    else
        ls "$tmp/out"
        fail "cpack did not make $(basename "$devdeb")"
    fi
    grep -q " \./usr/include/" "$tmp/contents" && fail "the package wiz carries the kit's headers"

    mkdir -p "$tmp/root"
    dpkg-deb -x "$deb" "$tmp/root" || { fail "dpkg-deb cannot unpack the package"; return; }
    for file in "$tmp/root/usr/bin/wiz" "$tmp/root"/usr/lib/wiz/plugins/*.so; do
        [ -f "$file" ] && check_binary "$file" stripped
    done
    gzip -t "$tmp/root/usr/share/man/man1/wiz.1.gz" 2>/dev/null ||
        fail "the packaged manual page is not a valid gzip file"
}

check_desktop() {
    entry="$source/packaging/wiz.desktop"
    page="$source/packaging/wiz.1"
    checked=0
    if have desktop-file-validate; then
        checked=1
        # Hints are advice; errors and warnings are faults.
        output=$(desktop-file-validate --no-hints "$entry" 2>&1)
        status=$?
        if [ $status -ne 0 ] || [ -n "$output" ]; then
            echo "$output"
            fail "desktop-file-validate rejects wiz.desktop"
        fi
    else
        echo "desktop-file-validate is not installed; the desktop entry is not checked"
    fi
    grep -q '^Exec=wiz$' "$entry" || fail "the desktop entry does not start wiz"
    grep -q '^Icon=wiz$' "$entry" || fail "the desktop entry does not name the icon wiz"

    pages="$page"
    [ -f "$build/packaging/wiz.1.gz" ] && pages="$pages $build/packaging/wiz.1.gz"
    if have man; then
        checked=1
        for file in $pages; do
            output=$(LC_ALL=C.UTF-8 MANWIDTH=80 timeout 30 man --warnings -l "$file" 2>&1 >/dev/null)
            [ -z "$output" ] || { echo "$output"; fail "man --warnings reports problems in $file"; }
        done
    elif have groff; then
        checked=1
        output=$(timeout 30 groff -ww -man -z "$page" 2>&1)
        [ -z "$output" ] || { echo "$output"; fail "groff reports problems in wiz.1"; }
    else
        echo "neither man nor groff is installed; the manual page is not checked"
    fi
    [ $checked -eq 1 ] || skip "desktop-file-validate, man and groff are all missing"
}

case $mode in
tree) check_tree "$@" ;;
package) check_package "$@" ;;
desktop) check_desktop "$@" ;;
kit) check_kit "$@" ;;
*) echo "unknown mode $mode"; exit 2 ;;
esac

if [ $failures -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
exit 0
