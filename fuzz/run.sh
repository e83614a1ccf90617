#!/usr/bin/env bash
# Runs the fuzz target for a while, from a seed corpus made from the peer
# data's texts on first use.
#   run.sh FUZZER SECONDS CORPUS_DIR PEER_DATA_DIR
set -euo pipefail
fuzzer=$1 seconds=$2 corpus=$3 peers=$4

if [[ ! -d $corpus ]]; then
    mkdir -p "$corpus"
    # Every 8th line of the peer data, about 2,700 seeds.
    n=0
    while read -r _ _ _ text; do
        printf '%s' "$text" > "$corpus/seed-$((n++))"
    done < <(sed -n '1~8p' "$peers"/*.txt)
fi
exec "$fuzzer" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -print_final_stats=1 "$corpus"
