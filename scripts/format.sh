#!/usr/bin/env bash
# clang-format over every C++ source of the project: rewrites them, or with --check (CI)
# only reports the files that differ from .clang-format and fails.
set -euo pipefail
source "$(dirname "$0")/common.sh"
LOTTO_PACKAGES+=(clang-format)
lotto_install_packages
cd "$LOTTO_ROOT"
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--check" ]; then
  clang-format --dry-run -Werror "${sources[@]}"
else
  clang-format -i "${sources[@]}"
fi
