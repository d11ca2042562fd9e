#!/usr/bin/env bash
# Builds the benchmarks in build/ (./test leaves them out); they are run by hand, see
# docs/PERFORMANCE.md.
set -euo pipefail
source "$(dirname "$0")/common.sh"
lotto_install_packages
lotto_build -DLOTTO_BUILD_TESTS=ON -DLOTTO_BUILD_BENCH=ON
