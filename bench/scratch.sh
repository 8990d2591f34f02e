# Sourced by the benchmark scripts: a private scratch folder that goes when the
# script ends, for the settings, runtime and cache folders of every run timed,
# so that no run reads the user's own, and the offscreen platform.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
trap 'exit 130' INT TERM
mkdir -m 700 "$tmp/config" "$tmp/runtime" "$tmp/out"
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp/runtime" \
    XDG_CACHE_HOME="$tmp/cache"
