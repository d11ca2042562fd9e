#!/usr/bin/env bash
# clang-tidy over src/core with the checks named in .clang-tidy (bugprone, performance and a
# few others that find real faults); any finding fails. Uses build/'s compile commands.
set -euo pipefail
source "$(dirname "$0")/common.sh"
LOTTO_PACKAGES+=(clang-tidy)
lotto_install_packages
if [ ! -f "$LOTTO_BUILD/compile_commands.json" ]; then
  cmake -S "$LOTTO_ROOT" -B "$LOTTO_BUILD" -G Ninja $(lotto_launcher) -DLOTTO_WERROR=ON >/dev/null
fi
run-clang-tidy -p "$LOTTO_BUILD" -j 2 -quiet "$LOTTO_ROOT/src/core/.*\\.cpp\$"
