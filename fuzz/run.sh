#!/usr/bin/env bash
# Runs the fuzz target for a while, from a corpus seeded with every 8th text
# of the peer data (about 2,650).
#   run.sh FUZZER SECONDS CORPUS_DIR PEER_DATA_DIR
set -euo pipefail
mkdir -p "$3"
awk -v dir="$3" 'NR % 8 == 1 { seed = dir "/seed-" NR; printf "%s", $4 > seed; close(seed) }' "$4"/*.txt
exec "$1" -max_total_time="$2" -max_len=4096 -timeout=10 -print_final_stats=1 "$3"
