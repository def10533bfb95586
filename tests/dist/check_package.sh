#!/usr/bin/env bash
# Builds the .deb into a temporary folder and checks its version, its file
# list, its dependencies and its line in SHA256SUMS.
#   check_package.sh BUILD_DIR VERSION APP_ID
set -euo pipefail
build=$1 version=$2 app_id=$3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >/dev/null
deb=$(echo "$out"/kirabo_*.deb)
[[ -f "$deb" ]] || { echo "FAIL: no .deb in $out" >&2; exit 1; }

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
[[ $(cat "$out/SHA256SUMS") == "$(cd "$out" && sha256sum "$(basename "$deb")")" ]] || fail "SHA256SUMS: $(cat "$out/SHA256SUMS")"
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in ./usr/bin/kirabo ./usr/bin/kirabo-cli ./usr/share/man/man1/kirabo.1 ./usr/share/man/man1/kirabo-cli.1 \
  ./usr/share/bash-completion/completions/kirabo-cli ./usr/share/applications/kirabo.desktop \
  "./usr/share/metainfo/$app_id.metainfo.xml" ./usr/share/doc/kirabo/copyright \
  ./usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/kirabo.png; do
  grep -qxF "$file" <<<"$files" || fail "$file is not in the package"
done

[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "Version $(dpkg-deb -f "$deb" Version), not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6gui6 libqt6core6 fonts-ipafont-gothic; do
  [[ ", $depends" == *", $package"* ]] || fail "Depends lacks $package: $depends"
done

exit $((failures > 0))
