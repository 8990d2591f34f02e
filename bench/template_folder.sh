#!/bin/sh
# Renders a template folder of 1,000 files (10 MB, a tenth binary) into a fresh
# folder and copies the same files with cp -r, paired in one hyperfine run.
# Target: the render at most 3 times cp -r's median time.
#
# Usage: sh bench/template_folder.sh BUILD_DIR
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
render="$build/templatefolders/render_template"
if [ ! -x "$render" ]; then
    echo "template_folder.sh: $render is missing; build the render_template target" >&2
    exit 2
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
trap 'exit 130' INT TERM
python3 "$here/make_template_tree.py" "$tmp/tree"
mkdir "$tmp/out"

echo "== Template folder of 1,000 files against cp -r (hyperfine)"
hyperfine -N --warmup 3 --runs 30 --prepare "rm -rf $tmp/out/meter" \
    --export-json "$tmp/folder.json" \
    -n "cp -r" "cp -r $tmp/tree/files $tmp/out/meter" \
    -n render "$render $tmp/tree $tmp/out meter"
python3 - "$tmp/folder.json" <<'PY'
import json, sys

results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
copy, render = results["cp -r"], results["render"]
ratio = render["median"] / copy["median"]
print("%s  render / cp -r: median %.1f ms / %.1f ms = %.2f (target <= 3)" % (
    "PASS" if ratio <= 3 else "MISS", 1e3 * render["median"], 1e3 * copy["median"], ratio))
PY
