#!/usr/bin/env bash
# Runs every fuzz target of the fuzz build for FUZZ_SECONDS each, from its seed corpus.
set -euo pipefail
build=${1:?build dir}
seconds=${FUZZ_SECONDS:-60}
here=$(cd "$(dirname "$0")" && pwd)
status=0
for target in "$build"/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus_seed="$here/corpus/${name#fuzz_}"
    work=$(mktemp -d)
    [ -d "$corpus_seed" ] && cp -r "$corpus_seed"/. "$work"/
    echo "== $name for ${seconds}s"
    if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 "$work"; then
        status=1
    fi
    rm -rf "$work"
done
exit $status
