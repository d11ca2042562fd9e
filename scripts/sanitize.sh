#!/usr/bin/env bash
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan (no window, no
# benchmarks) and runs what that build has: the core, HTTP and lotto-cli tests and the
# replays of the fuzz corpora. Arguments go to CTest.
set -euo pipefail
export LOTTO_BUILD_DIR="${LOTTO_BUILD_DIR:-$(cd "$(dirname "$0")/.." && pwd)/build-asan}"
export LOTTO_SANITIZE=ON
source "$(dirname "$0")/common.sh"
lotto_install_packages
lotto_build -DLOTTO_BUILD_TESTS=ON -DLOTTO_BUILD_GUI=OFF -DLOTTO_BUILD_BENCH=OFF
cd "$LOTTO_BUILD"
ctest --output-on-failure -j2 "$@"
