#!/usr/bin/env bash
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan (no window, no
# benchmarks) and runs what that build has: the core, HTTP and lotto-cli tests. The saved fuzz
# corpora are replayed under the same sanitizers by scripts/fuzz.sh --check (libFuzzer runs
# every saved input before it fuzzes); -DLOTTO_FUZZ_REPLAY=ON adds them here as CTest tests.
# Arguments go to CTest.
set -euo pipefail
export LOTTO_BUILD_DIR="${LOTTO_BUILD_DIR:-$(cd "$(dirname "$0")/.." && pwd)/build-asan}"
export LOTTO_SANITIZE=ON
source "$(dirname "$0")/common.sh"
lotto_install_packages
lotto_build -DLOTTO_BUILD_TESTS=ON -DLOTTO_BUILD_GUI=OFF -DLOTTO_BUILD_BENCH=OFF \
  -DLOTTO_FUZZ_REPLAY="${LOTTO_FUZZ_REPLAY:-OFF}"
cd "$LOTTO_BUILD"
ctest --output-on-failure -j2 "$@"
