#!/usr/bin/env bash
# Builds the Debian package from build/ (run ./test first) and checks it: the files it
# installs, dependencies found from the shared libraries, and lotto-cli run from the
# package unpacked into a scratch folder (also a command that loads its online part).
set -euo pipefail
source "$(dirname "$0")/common.sh"
lotto_install_packages
cmake --build "$LOTTO_BUILD" -j2 --target lotto lotto-cli
rm -rf "$LOTTO_BUILD/package"
(cd "$LOTTO_BUILD" && cpack -G DEB -B "$LOTTO_BUILD/package" >/dev/null)
deb=$(ls "$LOTTO_BUILD"/package/zerbosts-lotto_*.deb)
echo "--- $deb"

expected="./usr/bin/lotto
./usr/bin/lotto-cli
./usr/lib/zerbosts-lotto/lotto-cli-online.so
./usr/share/applications/zerbosts-lotto.desktop
./usr/share/bash-completion/completions/lotto-cli
$(for s in 128 16 22 24 256 32 48 64; do echo "./usr/share/icons/hicolor/${s}x${s}/apps/zerbosts-lotto.png"; done)
./usr/share/icons/hicolor/scalable/apps/zerbosts-lotto.svg
./usr/share/man/man1/lotto-cli.1
./usr/share/metainfo/at.zerbost.lotto.metainfo.xml
./usr/share/zerbosts-lotto/yippee.wav"
actual=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
if [ "$actual" != "$(sort <<<"$expected")" ]; then
  echo "Files in the package differ from the expected list:"
  diff <(sort <<<"$expected") <(echo "$actual") || true
  exit 1
fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libc6 libstdc++6 libqt6core6 libqt6widgets6 libqt6charts6 qt6-qpa-plugins; do
  [[ $depends == *"$lib"* ]] || { echo "Depends lacks $lib"; exit 1; }
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch/root"
version=$("$scratch/root/usr/bin/lotto-cli" --version)
[ "$version" = "Zerbosts Lotto $(dpkg-deb -f "$deb" Version)" ] || { echo "--version said: $version"; exit 1; }
echo "$version"
# A port nobody listens on: the download fails, but through the client in the online part.
status=$("$scratch/root/usr/bin/lotto-cli" --datadir "$scratch/data" --no-settings fetch http://127.0.0.1:9/ \
  --file "$scratch/page" || true)
[[ $status == Failed* ]] || { echo "fetch said: $status"; exit 1; }
echo "fetch from the unpacked package: $status"
