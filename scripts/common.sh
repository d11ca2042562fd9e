# Shared by ./run and ./test: installs what the build needs from Debian's packages and
# configures and builds the project in build/. Safe to run again.
set -euo pipefail

LOTTO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
LOTTO_BUILD="${LOTTO_BUILD_DIR:-$LOTTO_ROOT/build}"

LOTTO_PACKAGES=(
  cmake g++ ninja-build pkg-config ccache
  qt6-base-dev qt6-charts-dev qt6-multimedia-dev libqt6opengl6-dev
  libqt6svg6 qt6-translations-l10n
  libgtest-dev libbenchmark-dev
  fonts-liberation2
  xvfb xauth python3 tinyproxy poppler-utils
  desktop-file-utils appstream dpkg-dev file
)

lotto_install_packages() {
  local missing=()
  for p in "${LOTTO_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

# ccache keeps compiled objects between builds and between clones of the project: paths
# below the clone's parent are hashed relative to the build folder, so another clone hits
# the same cache. The settings are exported here, in the script's own shell, so that the
# build's compiler calls see them.
lotto_ccache_env() {
  command -v ccache >/dev/null 2>&1 || return 0
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$LOTTO_ROOT")}"
  export CCACHE_NOHASHDIR=1
  # (Qt Test's QT_TESTCASE_* definitions must stay in the hash: they are part of the window
  # tests' precompiled header, and a header taken from another clone's cache is refused.)
  # the precompiled headers are rebuilt in every build folder; their time stamps differ
  export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}"
}

lotto_launcher() {
  command -v ccache >/dev/null 2>&1 && echo "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
  return 0
}

lotto_build() {
  lotto_ccache_env
  cmake -S "$LOTTO_ROOT" -B "$LOTTO_BUILD" -G Ninja $(lotto_launcher) \
    -DCMAKE_BUILD_TYPE="${LOTTO_BUILD_TYPE:-Release}" \
    -DLOTTO_WERROR="${LOTTO_WERROR:-ON}" \
    -DLOTTO_SANITIZE="${LOTTO_SANITIZE:-OFF}" "$@"
  cmake --build "$LOTTO_BUILD" -j2
}
