#!/usr/bin/env bash
# Runs one fuzz target for a while, from a seed corpus made from the shared
# peer data on first use (the texts, or their doubles as 8 bytes).
#   run.sh FUZZER text_to_number|number_to_text SECONDS CORPUS_DIR TESTDATA_DIR
set -euo pipefail
fuzzer=$1 kind=$2 seconds=$3 corpus=$4 testdata=$5

if [[ ! -d $corpus ]]; then
    mkdir -p "$corpus"
    # Every 8th line of each peer file: about 2,700 seeds.
    perl -e '
        my ($kind, $dir, @files) = @ARGV; my $n = 0;
        for my $file (@files) {
            open my $in, "<", $file or die "$file: $!"; my $line = 0;
            while (<$in>) {
                next if $line++ % 8; chomp;
                my $seed = $kind eq "text_to_number" ? substr($_, 31)
                                                     : pack("Q<", hex(substr($_, 14, 16)));
                open my $out, ">", sprintf("%s/seed-%05d", $dir, $n++) or die; binmode $out;
                print $out $seed; close $out;
            }
        }' "$kind" "$corpus" "$testdata"/parse-number-fxx/*.txt
fi
max_len=$([[ $kind == number_to_text ]] && echo 8 || echo 4096)
exec "$fuzzer" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
    -print_final_stats=1 "$corpus"
