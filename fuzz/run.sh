#!/usr/bin/env bash
# Runs one fuzz target for a while, from a seed corpus made from the shared
# peer data on first use (the texts, or their doubles as 8 bytes).
#   run.sh FUZZER text_to_number|number_to_text SECONDS CORPUS_DIR TESTDATA_DIR
set -euo pipefail
fuzzer=$1 kind=$2 seconds=$3 corpus=$4 testdata=$5

if [[ ! -d $corpus ]]; then
    mkdir -p "$corpus"
    # Every 8th line of the peer data, about 2,700 seeds: the text, or the 8
    # bytes (little-endian) of its double.
    n=0
    while read -r _ _ b text; do
        if [[ $kind == text_to_number ]]; then
            printf '%s' "$text"
        else
            printf "\\x${b:14:2}\\x${b:12:2}\\x${b:10:2}\\x${b:8:2}\\x${b:6:2}\\x${b:4:2}\\x${b:2:2}\\x${b:0:2}"
        fi > "$corpus/seed-$((n++))"
    done < <(sed -n '1~8p' "$testdata"/parse-number-fxx/*.txt)
fi
max_len=$([[ $kind == number_to_text ]] && echo 8 || echo 4096)
exec "$fuzzer" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
    -print_final_stats=1 "$corpus"
