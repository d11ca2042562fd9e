#!/usr/bin/env bash
# Times the build as a developer meets it, on a fresh clone of HEAD in a scratch folder:
#   1. ./test with an empty compiler cache of its own (every file compiled);
#   2. ./test in a second fresh clone with that cache, now warm;
#   3. touch src/core/shell/MainState.cpp, ./test again: seconds to the first test result
#      and to the end.
# Prints wall clock and CPU (user + sys) of each. Run it on an idle machine:
#   bench/build_timings.sh [SCRATCH]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
scratch="${1:-$(mktemp -d)}"
mkdir -p "$scratch"
scratch="$(cd "$scratch" && pwd)"

timed() { # label, then the command; prints wall, CPU and when the first test result came
  local label="$1" start first="" line
  shift
  start=$(date +%s.%N)
  while IFS= read -r line; do
    if [ -z "$first" ] && [[ $line == *"Test #"* ]]; then first=$(date +%s.%N); fi
    echo "$line" >>"$scratch/$label.log"
  done < <(/usr/bin/time -f "cpu %U %S" "$@" 2>&1)
  local end cpu
  end=$(date +%s.%N)
  cpu=$(grep '^cpu ' "$scratch/$label.log" | tail -1 | awk '{printf "%.0f", $2 + $3}')
  grep -q '100% tests passed' "$scratch/$label.log" || echo "$label: tests did not all pass, see $scratch/$label.log"
  printf '%-12s wall %4.0f s  cpu %4s s  first test after %4.0f s\n' "$label" \
    "$(echo "$end - $start" | bc)" "$cpu" "$(echo "${first:-$end} - $start" | bc)"
}

rm -rf "$scratch/cold" "$scratch/warm"
git clone -q "$root" "$scratch/cold"
git clone -q "$root" "$scratch/warm"
export CCACHE_DIR="$scratch/ccache"
rm -rf "$CCACHE_DIR"
(cd "$scratch/cold" && timed cold ./test)
(cd "$scratch/warm" && timed warm ./test)
touch "$scratch/warm/src/core/shell/MainState.cpp"
(cd "$scratch/warm" && timed touched ./test)
