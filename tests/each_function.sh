#!/bin/sh
# Runs every function of every Qt Test program of a build alone, by name, as a
# developer does when one test fails: a function that only passes after the
# others ran, or that waits for ever when alone, fails here.
#
#   tests/each_function.sh [BUILD_DIR [SECONDS [JOBS]]]
#
# SECONDS limits each function (default 60), JOBS runs that many at once
# (default: the number of processors). The environment is the one CTest gives
# the programs (cmake/WizTest.cmake): the offscreen platform and the tests'
# build folder as working directory; each program makes its own settings
# folder. Exits 1 when a function failed, hung or could not be listed.
set -u

build=$(cd "${1:-build}" && pwd) || exit 1
limit=${2:-60}
jobs=${3:-$(nproc 2>/dev/null || echo 2)}
cd "$build/tests" || exit 1

# The logs stay in the build tree, out of reach of tests that clean the
# temporary folder.
results="$build/each_function"
rm -rf "$results"
mkdir -p "$results" || exit 1
export QT_QPA_PLATFORM=offscreen

# One line per function: the program, then the function's name.
: >"$results/functions"
for program in tst_*; do
    [ -f "$program" ] && [ -x "$program" ] || continue
    if ! names=$(timeout "$limit" "./$program" -functions 2>"$results/$program.list"); then
        echo "FAIL $program -functions"
        cat "$results/$program.list"
        : >"$results/$program.listing.failed"
        continue
    fi
    for name in $names; do
        echo "$program ${name%"()"}" >>"$results/functions"
    done
done

# Each function in a process of its own; a log is kept only for a failure.
# The -k gives a program that ignores the end of its time five seconds more.
export results limit
xargs -P "$jobs" -L 1 sh -c '
    log="$results/$0.$1.log"
    timeout -k 5 "$limit" "./$0" "$1" >"$log" 2>&1
    status=$?
    if [ "$status" -eq 0 ]; then
        rm -f "$log"
    elif [ "$status" -ge 124 ]; then
        echo "no end within $limit s (status $status)" >>"$log"
    fi
' <"$results/functions"

count=$(wc -l <"$results/functions")
failed=0
for log in "$results"/*.log "$results"/*.listing.failed; do
    [ -e "$log" ] || continue
    failed=$((failed + 1))
    case $log in *.log)
        name=$(basename "$log" .log)
        echo "FAIL ${name%%.*} ${name#*.}"
        tail -n 30 "$log"
        ;;
    esac
done
echo "$count functions run alone, $failed failed"
[ "$failed" -eq 0 ]
