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
    # The engine takes texts long enough to reach the long-expression paths; the loader, files
    # past its read limit of 1 MiB.
    case "$name" in
        fuzz_engine) max_len=131072 ;;
        fuzz_loader) max_len=1052672 ;;
        *) max_len=4096 ;;
    esac
    echo "== $name for ${seconds}s, inputs up to $max_len bytes"
    if ! "$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=4096 \
        -print_final_stats=1 "$work"; then
        status=1
    fi
    rm -rf "$work"
done
exit $status
