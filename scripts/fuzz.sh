#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given seconds (default 60):
#   scripts/fuzz.sh [SECONDS] [TARGET...]      targets: tipfile archive dates http_response url yearline todayline germanpage swisspage latestline lastten
# Afterwards each corpus in fuzz/corpus/<target> is merged down to the inputs that matter.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(tipfile archive dates http_response url yearline todayline germanpage swisspage latestline lastten)
source "$root/scripts/common.sh"
LOTTO_PACKAGES+=(clang-14 libclang-rt-14-dev)
lotto_install_packages
cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++-14 -DLOTTO_FUZZ=ON -DLOTTO_BUILD_GUI=OFF -DLOTTO_BUILD_TESTS=OFF -DLOTTO_BUILD_BENCH=OFF
cmake --build "$root/build-fuzz" -j1 --target "${targets[@]/#/fuzz_}"
for target in "${targets[@]}"; do
  corpus="$root/fuzz/corpus/$target"
  work="$(mktemp -d)"
  mkdir -p "$corpus"
  cp -r "$corpus/." "$work/"
  # A crash leaves its input as crash-* in the current folder and ends the script.
  "$root/build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=4096 "$work"
  merged="$(mktemp -d)"
  "$root/build-fuzz/fuzz/fuzz_$target" -merge=1 "$merged" "$work"
  rm -rf "$corpus" && mv "$merged" "$corpus" && rm -rf "$work"
done
