#!/usr/bin/env bash
# Smoke test of kirabo.exe under wine on a virtual X display, in Japanese
# and then in English: the dialog
# titled Kirabo appears, Enter starts a job over a small tree of sample raw
# files, the final message appears, the files carry their new names, the
# system menu opens the About box, and the Exit button (終了) writes
# Kirabo.INI. Then F1 opens the About box, Stop during a longer job, Undo
# of what it renamed, and Esc, which saves nothing.
#   wine-smoke.sh KIRABO_EXE SAMPLE_DIR
set -euo pipefail

exe="$(realpath "$1")"
samples="$(realpath "$2")"
work="$(mktemp -d)"
# shellcheck source=../../scripts/wine-session.sh
source "$(dirname "$0")/../../scripts/wine-session.sh"
wine_session_cleanup_at_exit "$work"

# The visible window titled exactly $1 (xdotool matches names without case).
window() {
  local id
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    if [[ "$(xdotool getwindowname "$id" 2>/dev/null)" == "$1" ]]; then
      echo "$id"
      return
    fi
  done
}
has_window() { [[ -n "$(window "$1")" ]]; }
no_window() { [[ -z "$(window "$1")" ]]; }
press() {  # title key...
  local id
  id="$(window "$1")"; shift
  xdotool windowfocus --sync "$id" key --delay 100 "$@"
}

wine_session_start "$work" || fail "no display"

# The tree, and the settings that point the dialog at it.
mkdir -p "$work/photos/sub" "$work/cwd"
cp "$samples/exiv2-canon-powershot-s40.crw" "$work/photos/IMG_0001.CRW"
cp "$samples/hachoir-canon.raw.cr2" "$work/photos/IMG_0002.CR2"
cp "$samples/exiftool-CanonRaw.crw" "$work/photos/sub/IMG_0003.CRW"
cp "$samples/exiftool-3.60-CanonRaw.crw" "$work/photos/sub/IMG_0004.CRW"
printf '[Data]\r\nFolder=%s\r\n' "$(winepath -w "$work/photos")" >"$work/cwd/Kirabo.INI"

(cd "$work/cwd" && KIRABO_LANG=ja exec wine "$exe") &
app_pid=$!
wait_for 60 has_window Kirabo || fail "no window titled Kirabo"

# Enter presses the default button, Start. The final message box is
# captioned with the program's name.
press Kirabo Return
wait_for 30 has_window kirabo || fail "no final message"
expected=(photos/050423_175436.CRW photos/151115_133529.CR2 photos/sub/031110_173926.CRW photos/sub/031110_173926_1.CRW)
for name in "${expected[@]}"; do
  [[ -f "$work/$name" ]] || fail "missing $name; found: $(cd "$work" && find photos -type f | tr '\n' ' ')"
done
[[ -z "$(find "$work/photos" -name 'IMG_*')" ]] || fail "files left with their old names"
press kirabo Return
wait_for 10 no_window kirabo || fail "the final message did not close"

# The last item of the system menu opens the About box; Enter closes it.
press Kirabo alt+space
sleep 1
xdotool key End Return
wait_for 10 has_window 'Kiraboのﾊﾞｰｼﾞｮﾝ情報' || fail "no About box"
press 'Kiraboのﾊﾞｰｼﾞｮﾝ情報' Return
wait_for 10 no_window 'Kiraboのﾊﾞｰｼﾞｮﾝ情報' || fail "the About box did not close"

# Tab from Start reaches Undo (on now that the folder has a job), then Exit;
# space presses it.
press Kirabo Tab Tab space
wait_for 20 eval '! kill -0 "$app_pid" 2>/dev/null' || fail "the program did not end on Exit"
app_pid=""
ini="$(tr -d '\r' <"$work/cwd/Kirabo.INI")"
grep -qx 'Format=0' <<<"$ini" || fail "Kirabo.INI lacks Format=0: $ini"
grep -qx "Folder=$(winepath -w "$work/photos" | sed 's/\\/\\\\/g')" <<<"$ini" || fail "Kirabo.INI lacks the folder: $ini"

# Stop: a second run, in English, over a tree large enough to be stopped while it runs.
# Enter stops it; the box says so; no file is lost; Esc closes the dialog
# without writing the settings.
mkdir -p "$work/many" "$work/cwd2"
for i in $(seq 1000 3999); do cp "$samples/exiftool-CanonRaw.crw" "$work/many/IMG_$i.CRW"; done
printf '[Data]\r\nFolder=%s\r\nFormat=1\r\n' "$(winepath -w "$work/many")" >"$work/cwd2/Kirabo.INI"
cp "$work/cwd2/Kirabo.INI" "$work/settings-before"
(cd "$work/cwd2" && KIRABO_LANG=en exec wine "$exe") &
app_pid=$!
wait_for 60 has_window Kirabo || fail "no window titled Kirabo in the second run"
# This run speaks English: its About box, which F1 opens, says so.
press Kirabo F1
wait_for 10 has_window 'About Kirabo' || fail "F1 opened no English About box"
press 'About Kirabo' Return
wait_for 10 no_window 'About Kirabo' || fail "the English About box did not close"
press Kirabo Return
wait_for 30 eval '[[ -n "$(find "$work/many" -name "17*" -print -quit)" ]]' || fail "the second job renamed nothing"
press Kirabo Return
wait_for 30 has_window kirabo || fail "no message after Stop"
[[ "$(find "$work/many" -type f | wc -l)" -eq 3000 ]] || fail "files lost: $(find "$work/many" -type f | wc -l) left"
[[ -n "$(find "$work/many" -name 'IMG_*' -print -quit)" ]] || fail "the job was not stopped before its end"
press kirabo Return
wait_for 10 no_window kirabo || fail "the stop message did not close"
# Undo, next to Start, asks first; Enter says Yes, and the names stopped
# half way come back.
press Kirabo Tab space
wait_for 10 has_window kirabo || fail "Undo asked nothing"
press kirabo Return
wait_for 60 eval '[[ "$(find "$work/many" -name "IMG_*" | wc -l)" -eq 3000 ]]' || fail "Undo restored only $(find "$work/many" -name 'IMG_*' | wc -l) names"
wait_for 30 has_window kirabo || fail "no message after Undo"
press kirabo Return
wait_for 10 no_window kirabo || fail "the undo message did not close"
press Kirabo Escape
wait_for 20 eval '! kill -0 "$app_pid" 2>/dev/null' || fail "the program did not end on Esc"
app_pid=""
cmp -s "$work/settings-before" "$work/cwd2/Kirabo.INI" || fail "Esc changed Kirabo.INI"
echo "PASS"
