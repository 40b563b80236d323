#!/usr/bin/env bash
# Builds the libFuzzer targets in the fuzz preset's folder (clang, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for a bounded time from the seed files in fuzz/corpus/, which every target shares
# (and its dictionary, if it has one): the decoder with the file access, and the window
# offscreen. Fails on any finding.
#   scripts/fuzz.sh [seconds per target]      (default 30: about a minute in all)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
seconds=${1:-30}
dir=$(preset_dir fuzz)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_user_file fuzz_window --parallel "$(nproc)"

for target in user_file window; do
    # New inputs go to the build folder; the seeds in fuzz/corpus/ stay as committed.
    work="$dir/corpus/$target"
    mkdir -p "$work" "$dir/findings"
    dict=()
    [ -f "fuzz/$target.dict" ] && dict=(-dict="fuzz/$target.dict")
    echo "fuzz: $target for ${seconds}s"
    "$dir/fuzz/fuzz_$target" "${dict[@]}" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$dir/findings/$target-" \
        "$work" fuzz/corpus 2>"$dir/fuzz-$target.log" || {
        tail -n 40 "$dir/fuzz-$target.log"
        echo "fuzz: $target found a problem; the input is in $dir/findings/" >&2
        exit 1
    }
    grep -E '^stat::number_of_executed_units' "$dir/fuzz-$target.log" || true
done
echo "fuzz: no findings"
