#!/bin/sh
# Template folders against what they stand beside, each pair in one hyperfine
# run so that both share the state of a busy machine:
#
#   small   a 12-file folder template's unattended run against that of the
#           scripted panel library (target: no slower)
#   large   a folder of 1,000 files (10 MB, a tenth binary) rendered through
#           wiz --template into a fresh folder against cp -r of the same files
#           (target: at most 3 times cp -r's median time)
#
# Usage: sh bench/template_folder.sh BUILD_DIR
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
wiz="$build/wiz"
if [ ! -x "$wiz" ]; then
    echo "template_folder.sh: $wiz is missing; build the project first" >&2
    exit 2
fi
. "$here/scratch.sh"
python3 "$here/make_template_tree.py" "$tmp/tree"
# About what the panel library writes: a dozen files of some kilobytes.
python3 "$here/make_template_tree.py" "$tmp/small" 12 60000

ratio() {
    python3 - "$@" <<'PY'
import json, sys

path, name, base, limit = sys.argv[1], sys.argv[2], sys.argv[3], float(sys.argv[4])
results = {r["command"]: r for r in json.load(open(path))["results"]}
ratio = results[name]["median"] / results[base]["median"]
print("%s  %s / %s: median %.1f ms / %.1f ms = %.2f (target <= %g)" % (
    "PASS" if ratio <= limit else "MISS", name, base, 1e3 * results[name]["median"],
    1e3 * results[base]["median"], ratio, limit))
PY
}

panel="Create C++ Scripted UI / Panel"
echo "== A 12-file template folder against the scripted panel library (hyperfine)"
# From the build tree, where the library run lists its templates as it would.
cd "$build"
hyperfine -N --warmup 5 --runs 40 --prepare "rm -rf $tmp/out/meter" \
    --export-json "$tmp/small.json" \
    -n library "$wiz /path=$tmp/out /project=meter '/key=$panel' /title=Meter" \
    -n folder "$wiz --template $tmp/small /path=$tmp/out /project=meter"
ratio "$tmp/small.json" folder library 1

echo
echo "== Template folder of 1,000 files against cp -r (hyperfine)"
hyperfine -N --warmup 3 --runs 30 --prepare "rm -rf $tmp/out/meter" \
    --export-json "$tmp/folder.json" \
    -n "cp -r" "cp -r $tmp/tree/files $tmp/out/meter" \
    -n "wiz --template" "$wiz --template $tmp/tree /path=$tmp/out /project=meter"
ratio "$tmp/folder.json" "wiz --template" "cp -r" 3
