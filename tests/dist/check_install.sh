#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop and a
# shell get from it: both programs, which answer --help and --version without
# a display, the man pages, the completion, the desktop entry, the icons and
# the software centre's metadata.
#   check_install.sh BUILD_DIR VERSION APP_ID
set -euo pipefail
build=$1 version=$2 app_id=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
expect_file() { [[ -f "$prefix/$1" ]] || fail "$1 is not installed"; }

for file in bin/kirabo bin/kirabo-cli share/man/man1/kirabo.1 share/man/man1/kirabo-cli.1 \
  share/bash-completion/completions/kirabo-cli share/applications/kirabo.desktop \
  "share/metainfo/$app_id.metainfo.xml"; do
  expect_file "$file"
done

# PNG width and height are the big-endian words at bytes 16 and 20.
for size in 16 32 48 64 128 256; do
  icon="share/icons/hicolor/${size}x${size}/apps/kirabo.png"
  expect_file "$icon"
  [[ -f "$prefix/$icon" ]] || continue
  read -r w h < <(od -An -tu1 -j16 -N8 "$prefix/$icon" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [[ "$w $h" == "$size $size" ]] || fail "$icon is ${w}x$h"
done

desktop-file-validate "$prefix/share/applications/kirabo.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" >/dev/null || fail "metainfo"

# groff draws no Japanese on a default system: the English pages name
# the window's texts in English only.
for page in share/man/man1/kirabo.1 share/man/man1/kirabo-cli.1; do
  ! LC_ALL=C grep -q -P '[^\x00-\x7F]' "$prefix/$page" || fail "$page holds characters groff cannot draw"
done

# With no display to reach, opening the window would fail: these must not try.
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb)
[[ $("${no_display[@]}" "$prefix/bin/kirabo" --version) == "kirabo $version" ]] || fail "kirabo --version"
"${no_display[@]}" "$prefix/bin/kirabo" -h | grep -q '^Usage: kirabo' || fail "kirabo -h"
[[ $("$prefix/bin/kirabo-cli" -V) == "kirabo-cli $version" ]] || fail "kirabo-cli -V"

# The completion, as bash calls it for "kirabo-cli WORDS... <Tab>".
complete_words() {
  bash -c 'source "$0"; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _kirabo_cli 2>/dev/null; echo "${COMPREPLY[*]}"' \
    "$prefix/share/bash-completion/completions/kirabo-cli" kirabo-cli "$@"
}
[[ $(complete_words --dr) == "--dry-run" ]] || fail "completion of --dr"
[[ $(complete_words -f "") == "1 2 datetime time" ]] || fail "completion after -f"
[[ $(complete_words --format = ti) == "time" ]] || fail "completion of --format=ti"

exit $((failures > 0))
