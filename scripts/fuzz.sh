#!/usr/bin/env bash
# Runs every fuzz target of a sanitizer build for a bounded time each.
#   scripts/fuzz.sh BUILD_DIR [SECONDS]
# Seeds come from fuzz/corpus/<target>/ and are not changed; what the run
# finds on the way goes to a scratch corpus.  A crash, a hang or a sanitizer
# report fails the run and leaves the input under the scratch folder.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: scripts/fuzz.sh BUILD_DIR [SECONDS]}
seconds=${2:-30}
scratch=$(mktemp -d /tmp/vireo-fuzz-XXXXXX)
failed=0
for seeds in fuzz/corpus/*/; do
  target=$(basename "$seeds")
  mkdir -p "$scratch/$target/corpus" "$scratch/$target/crash"
  log="$scratch/$target/log"
  if "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$scratch/$target/crash/" \
      "$scratch/$target/corpus" "$seeds" >"$log" 2>&1; then
    runs=$(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
    echo "fuzz $target: ${runs} executions in ${seconds} s, nothing found"
  else
    echo "fuzz $target: FAILED, input and log in $scratch/$target" >&2
    tail -40 "$log" >&2
    failed=1
  fi
done
[ "$failed" -eq 0 ] && rm -rf "$scratch"
exit "$failed"
