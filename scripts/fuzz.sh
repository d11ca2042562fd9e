#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given seconds (default 60):
#   scripts/fuzz.sh [--check] [SECONDS] [TARGET...]
#   targets: tipfile archive archive_window dates http_response url yearline todayline germanpage swisspage
#            latestline lastten settings systemfile
# Each target starts from its saved corpus fuzz/corpus/<target> (and its dictionary
# fuzz/<target>.dict where there is one). Afterwards the corpus is
# merged down to the inputs that matter, old and new. With --check (CI) the saved corpus
# is left as it is: new inputs are thrown away, and the first crash, leak or timeout ends
# the script with a failure, its input kept in build-fuzz/crashes/. Targets run side by
# side, one per core.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
check=0
if [ "${1:-}" = "--check" ]; then
  check=1
  shift
fi
seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(tipfile archive archive_window dates http_response url yearline todayline germanpage swisspage latestline lastten settings systemfile)
source "$root/scripts/common.sh"
LOTTO_PACKAGES+=(clang-14 libclang-rt-14-dev)
lotto_install_packages
cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_COMPILER=clang++-14 -DLOTTO_FUZZ=ON -DLOTTO_WERROR=ON \
  -DLOTTO_BUILD_GUI=OFF -DLOTTO_BUILD_TESTS=OFF -DLOTTO_BUILD_BENCH=OFF
cmake --build "$root/build-fuzz" -j2 --target "${targets[@]/#/fuzz_}"
crashes="$root/build-fuzz/crashes"
mkdir -p "$crashes"
logs="$(mktemp -d)"
trap 'rm -rf "$logs"' EXIT

fuzz_one() {
  local target="$1" corpus="$root/fuzz/corpus/$1" work
  work="$(mktemp -d -p "$logs")"
  mkdir -p "$corpus"
  cp -r "$corpus/." "$work/"
  local dict=()
  [ -f "$root/fuzz/$target.dict" ] && dict=(-dict="$root/fuzz/$target.dict")
  echo "--- fuzz_$target: ${seconds} s over $(find "$corpus" -type f | wc -l) saved inputs"
  # A crash leaves its input as crash-* (leak-*, timeout-*) in build-fuzz/crashes.
  "$root/build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=4096 -timeout=20 \
    -artifact_prefix="$crashes/${target}-" -print_final_stats=1 "${dict[@]}" "$work" || return 1
  if [ $check -eq 0 ]; then
    local merged
    merged="$(mktemp -d -p "$logs")"
    "$root/build-fuzz/fuzz/fuzz_$target" -merge=1 "$merged" "$work"
    rm -rf "$corpus" && mkdir -p "$corpus" && cp -r "$merged/." "$corpus/"
  fi
}

# One target per core at a time; each one's output is printed whole when it ends. The first
# failure ends the script once the running targets are done.
jobs_max="$(nproc)"
failed=0
declare -A running=()
finish_one() {
  local pid rc=0
  wait -n -p pid || rc=$?
  cat "$logs/${running[$pid]}.log"
  if [ $rc -ne 0 ]; then
    echo "--- fuzz_${running[$pid]} failed (exit $rc)"
    failed=1
  fi
  unset "running[$pid]"
}
for target in "${targets[@]}"; do
  [ $failed -eq 0 ] || break
  while [ ${#running[@]} -ge "$jobs_max" ]; do finish_one; done
  fuzz_one "$target" >"$logs/$target.log" 2>&1 &
  running[$!]="$target"
done
while [ ${#running[@]} -gt 0 ]; do finish_one; done
exit $failed
