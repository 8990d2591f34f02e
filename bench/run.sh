#!/bin/sh
# Runs the benchmarks of a build configured with -DWIZ_BENCHMARKS=ON and prints
# PASS or MISS next to each target:
#
#   micro-benchmarks   the embedded-table lookup and the three file writers;
#                      the writers' time per byte must not grow with the size
#   whole process      wiz --list and an unattended run of a template, each
#                      against bench/floor (a Qt Widgets program that starts
#                      and exits), all in one hyperfine run so that they
#                      share the state of a busy machine
#   peak memory        the unattended run's against the floor's
#   template folders   a 12-file folder template's unattended run against the
#                      scripted panel library's; a folder of 1,000 files run
#                      with wiz --template against cp -r of its files
#                      (bench/template_folder.sh)
#
#   baseline           with a second build directory (another revision, built
#                      alike), the unattended run and wiz --list against that
#                      build's: a run and a remembered (warm) list may cost at
#                      most 5 %, a list that asks every library again (cold)
#                      at most 30 %
#
# Usage: sh bench/run.sh BUILD_DIR [BASELINE_BUILD_DIR]
#        (./build.sh bench [REVISION] does all of it)
# Every file it writes goes into a temporary directory; the wizard runs on the
# offscreen platform with a settings directory of its own. A MISS is a finding,
# not a failure: the script exits 0 unless a program fails to run.
set -eu

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: sh bench/run.sh BUILD_DIR [BASELINE_BUILD_DIR]" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
baseline=""
[ $# -eq 2 ] && baseline=$(cd "$2" && pwd)
for program in wiz bench/floor bench/bench_output; do
    if [ ! -x "$build/$program" ]; then
        echo "run.sh: $build/$program is missing; configure with -DWIZ_BENCHMARKS=ON and build" >&2
        exit 2
    fi
done
if ! command -v python3 >/dev/null 2>&1; then
    echo "run.sh: python3 is needed to read the results; install it" >&2
    exit 2
fi

. "$here/scratch.sh"

echo "== Machine"
echo "$(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)," \
    "$(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo) memory," \
    "load $(cut -d ' ' -f 1-3 /proc/loadavg)"

echo
echo "== Micro-benchmarks"
# The allocator keeps freed memory for the next iteration, at every size: no
# block of its own mapping, no trimming. By default glibc maps each block above
# 32 MB separately and unmaps it when freed, so only the 20 MB writes would
# pay for fresh pages on every call (about 20 us per 4 KiB page on a virtual
# machine) and the time per byte would compare different things across sizes.
GLIBC_TUNABLES=glibc.malloc.mmap_max=0:glibc.malloc.trim_threshold=4294967296 \
    "$build/bench/bench_output" --benchmark_out="$tmp/micro.json" --benchmark_out_format=json

python3 - "$tmp/micro.json" <<'EOF'
import json, sys

# Time per byte at 20 MB against that at 200 KB: a linear writer stays near 1
# (a text beyond the processor's caches costs a little more); one that is
# quadratic in the text's length is about 100 times slower per byte.
LIMIT = 3.0

runs = json.load(open(sys.argv[1]))["benchmarks"]
scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}
print()
print("%-36s %14s %12s %12s" % ("", "time", "ns/byte", "MB/s"))
sizes = {}
for run in runs:
    name = run["name"]
    if run.get("error_occurred"):
        print("%-36s ERROR %s" % (name, run.get("error_message", "")))
        continue
    if run.get("run_type") == "aggregate":
        if name.endswith("_BigO"):
            print("%-36s fit: %.2f ns x N (%s)" % (name, run["real_coefficient"], run["big_o"]))
        elif name.endswith("_RMS"):
            print("%-36s fit error (RMS): %.0f %%" % (name, 100 * run["rms"]))
        continue
    ns = run["real_time"] * scale[run["time_unit"]]
    if "bytes_per_second" not in run:
        print("%-36s %11.1f ns" % (name, ns))
        continue
    family, size = name.split("/")[0], int(name.split("/")[1])
    sizes.setdefault(family, {})[size] = ns / size
    print("%-36s %11.1f us %12.2f %12.1f" % (name, ns / 1e3, ns / size, run["bytes_per_second"] / 1e6))

print()
for family, perByte in sizes.items():
    if 200 << 10 not in perByte or 20 << 20 not in perByte:
        continue
    growth = perByte[20 << 20] / perByte[200 << 10]
    verdict = "PASS" if growth <= LIMIT else "MISS"
    print("%s  %-22s linear up to 20 MB: time per byte at 20 MB / at 200 KB = %.1f (target <= %.0f)"
          % (verdict, family, growth, LIMIT))
EOF

if ! command -v hyperfine >/dev/null 2>&1; then
    echo
    echo "run.sh: hyperfine is not installed; the whole-process timings are skipped"
    exit 0
fi

# The scripted panel is the template a build server runs; an older build
# without it is measured with another template that needs no answers.
cd "$build"
panel="Create C++ Scripted UI / Panel"
if ./wiz --list 2>/dev/null | grep -qx "$panel"; then
    key=$panel
    params="/title=Meter"
else
    key="Create New Singleton ConfigClass Wizard"
    params=""
    echo "run.sh: \"$panel\" is not built; the unattended run uses \"$key\""
fi
unattended="./wiz \"/path=$tmp/out\" /project=meter \"/key=$key\" $params"

if [ -n "$baseline" ]; then
    echo
    echo "== Unattended run against $baseline (hyperfine)"
    # Each from its own tree, so each lists its own templates; both pay for
    # the shell that changes directory alike.
    hyperfine --shell=sh --warmup 5 --runs 60 --prepare "rm -rf \"$tmp/out/meter\"" \
        --export-json "$tmp/baseline.json" \
        -n unattended "cd \"$build\" && $unattended" \
        -n baseline "cd \"$baseline\" && $unattended"
    echo
    echo "== Listing against $baseline (hyperfine)"
    # Warm: the list of templates is remembered from the run before. Cold:
    # forgotten before each run, so the child process asks every library.
    # Each command removes a folder, so all pay for the shell and rm alike.
    hyperfine --shell=sh --warmup 5 --runs 60 \
        --export-json "$tmp/listing.json" \
        -n warm "cd \"$build\" && rm -rf \"$tmp/none\" && ./wiz --list" \
        -n cold "cd \"$build\" && rm -rf \"$XDG_CACHE_HOME\" && ./wiz --list" \
        -n baseline "cd \"$baseline\" && rm -rf \"$tmp/none\" && ./wiz --list"
    python3 - "$tmp/baseline.json" "$tmp/listing.json" <<'EOF'
import json, sys

def verdict(results, name, limit):
    new, old = results[name], results["baseline"]
    ratio = new["median"] / old["median"]
    cpu = (new["user"] + new["system"]) / (old["user"] + old["system"])
    print("%s  %s / baseline: median %.1f ms / %.1f ms = %.3f, cpu %.3f (target <= %.2f)" % (
        "PASS" if ratio <= limit else "MISS", name, 1e3 * new["median"], 1e3 * old["median"],
        ratio, cpu, limit))

runs = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
verdict(runs, "unattended", 1.05)
lists = {r["command"]: r for r in json.load(open(sys.argv[2]))["results"]}
verdict(lists, "warm", 1.05)
verdict(lists, "cold", 1.30)
EOF
    exit 0
fi

echo
echo "== Whole process (hyperfine, in $build)"
# Each run starts without the project directory, as a first run does.
hyperfine -N --warmup 5 --runs 40 --prepare "rm -rf \"$tmp/out/meter\"" \
    --export-json "$tmp/process.json" \
    -n floor "$build/bench/floor" \
    -n "wiz --list" "./wiz --list" \
    -n unattended "$unattended"
if [ ! -s "$tmp/out/meter/meter.cpp" ] && [ ! -s "$tmp/out/meter/main.cpp" ]; then
    echo "run.sh: the unattended run wrote no project into $tmp/out/meter" >&2
    exit 1
fi

echo
echo "== Peak memory"
python3 - "$tmp" "$build/bench/floor" "$unattended" <<'EOF'
import os, resource, shlex, shutil, statistics, subprocess, sys

tmp, floor, unattended = sys.argv[1], sys.argv[2], sys.argv[3]
RUNS = 9


def peak(command):
    """Median over RUNS runs of each run's own peak resident set, in KiB."""
    peaks = []
    for _ in range(RUNS):
        shutil.rmtree(os.path.join(tmp, "out", "meter"), ignore_errors=True)
        child = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _, status, usage = os.wait4(child.pid, 0)
        child.returncode = os.waitstatus_to_exitcode(status)
        if child.returncode != 0:
            sys.exit("run.sh: %s exited with %d" % (" ".join(command), child.returncode))
        peaks.append(usage.ru_maxrss)
    return statistics.median(peaks)


floorPeak = peak([floor])
wizPeak = peak(shlex.split(unattended))
# A child's peak counts the pages it had before exec, which are this
# interpreter's; a figure that small says nothing about the child.
own = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
for name, value in (("floor", floorPeak), ("unattended", wizPeak)):
    note = "  (no more than python's own %d KiB: not meaningful)" % own if value <= own else ""
    print("%-12s %8.1f MiB%s" % (name, value / 1024, note))
ratio = wizPeak / floorPeak
print("%s  peak memory unattended / floor = %.3f (target <= 1.3)" % ("PASS" if ratio <= 1.3 else "MISS", ratio))
EOF

echo
python3 - "$tmp/process.json" <<'EOF'
import json, sys

# The targets are on the median wall time. The processor time (user + system)
# is shown beside it: it hardly changes with what else the machine runs.
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
floor = results["floor"]
floorCpu = floor["user"] + floor["system"]
print("%-12s median %6.1f ms  (sd %4.1f)  cpu %5.1f ms" % (
    "floor", 1e3 * floor["median"], 1e3 * floor["stddev"], 1e3 * floorCpu))
for name, limit in (("wiz --list", 1.3), ("unattended", 1.5)):
    r = results[name]
    ratio = r["median"] / floor["median"]
    cpu = r["user"] + r["system"]
    print("%-12s median %6.1f ms  (sd %4.1f)  cpu %5.1f ms (%.2f x)   %s  %s / floor = %.3f (target <= %.1f)" % (
        name, 1e3 * r["median"], 1e3 * r["stddev"], 1e3 * cpu, cpu / floorCpu,
        "PASS" if ratio <= limit else "MISS", name, ratio, limit))
EOF

echo
sh "$here/template_folder.sh" "$build"
