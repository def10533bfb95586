#!/usr/bin/env bash
# Builds the zip and the MSI into a temporary folder, checks SHA256SUMS, the
# text files and the winget manifest, then tries the MSI in a throw-away
# wine prefix: a quiet install, its files, Start-menu shortcut, uninstall
# entry and folder items; the installed kirabo.exe started with a folder
# shows it in its field (Exit stores the field in Kirabo.INI), and started in
# its own folder, as the shortcut starts it, keeps Kirabo.INI in
# %APPDATA%\Kirabo; a quiet uninstall leaves nothing of what was installed.
#   check_msi.sh BUILD_DIR VERSION
set -euo pipefail
build=$(realpath "$1") version=$2
work=$(mktemp -d)
# shellcheck source=../../scripts/wine-session.sh
source "$(dirname "$0")/../../scripts/wine-session.sh"
wine_session_cleanup_at_exit "$work"

out="$work/out"
cpack --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
msi="$out/kirabo-$version-win64.msi" zip="$out/kirabo-$version-win64.zip"
[[ -f "$msi" && -f "$zip" ]] || fail "no MSI or zip in $out: $(ls "$out")"
(cd "$out" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match"
[[ $(wc -l <"$out/SHA256SUMS") == 2 ]] || fail "SHA256SUMS is not of the zip and the MSI: $(cat "$out/SHA256SUMS")"
msi_sum=$(sha256sum "$msi" | cut -d' ' -f1)
for kind in "" .installer .locale.en-US; do
  manifest="$out/winget/Kirabo.Kirabo$kind.yaml"
  grep -q "^PackageVersion: $version\$" "$manifest" || fail "$manifest lacks the version"
done
grep -qi "InstallerSha256: $msi_sum" "$out/winget/Kirabo.Kirabo.installer.yaml" || fail "winget checksum"
unzip -q "$zip" -d "$work/unzipped"
for text in README.txt LICENSE.txt; do
  file="$work/unzipped/kirabo-$version-win64/$text"
  [[ -s "$file" ]] || fail "$text is not in the zip"
  [[ $(grep -c $'\r$' "$file") == $(wc -l <"$file") ]] || fail "$text has lines without CR"
done

wine_session_start "$work" || fail "no display"
wine msiexec /i "$(winepath -w "$msi")" /qn || fail "the quiet install failed"

# Where wine keeps the user's folders.
user_folder() { winepath -u "$(wine cmd /c echo "%$1%" | tr -d '\r')"; }
programs="$(user_folder LOCALAPPDATA)/Programs/Kirabo"
start_menu="$(user_folder APPDATA)/Microsoft/Windows/Start Menu/Programs"
for file in kirabo.exe kirabo-cli.exe README.txt LICENSE.txt; do
  [[ -f "$programs/$file" ]] || fail "$programs/$file was not installed"
done
[[ -f "$start_menu/Kirabo.lnk" ]] || fail "no Start-menu shortcut"
tr -d '\0' <"$start_menu/Kirabo.lnk" | grep -qi 'Programs\\Kirabo\\kirabo\.exe' || fail "the shortcut does not lead to kirabo.exe"
uninstall_entry() { wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | grep -q "DisplayName.*Kirabo" ||
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | grep -q "DisplayName.*Kirabo"; }
uninstall_entry || fail "no uninstall entry"
exe_w="$(winepath -w "$programs/kirabo.exe")"
for key in 'Directory\shell\Kirabo' 'Directory\Background\shell\Kirabo'; do
  wine reg query "HKCU\\Software\\Classes\\$key" /ve | grep -q "Rename with Kirabo" || fail "$key has no item text"
  command=$(wine reg query "HKCU\\Software\\Classes\\$key\\command" /ve | tr -d '\r' | grep REG_SZ)
  [[ "$command" == *"\"$exe_w\" \"%"[1V]"\""* ]] || fail "$key runs $command"
done

# Started with a folder, from a shell's folder: Exit stores what the field
# shows in Kirabo.INI there.
exit_kirabo() {
  wait_for 60 eval '[[ -n "$(xdotool search --onlyvisible --name "^Kirabo\$" 2>/dev/null)" ]]' || fail "no window"
  xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Kirabo$' | head -1)" key --delay 100 Tab space
  wait_for 20 eval '! kill -0 "$app_pid" 2>/dev/null' || fail "kirabo.exe did not end on Exit"
  app_pid=""
}
mkdir -p "$work/shell" "$work/photos 1"
photos_w="$(winepath -w "$work/photos 1")"
(cd "$work/shell" && KIRABO_LANG=en exec wine "$programs/kirabo.exe" "$photos_w") &
app_pid=$!
exit_kirabo
grep -qF "Folder=$photos_w" "$work/shell/Kirabo.INI" || fail "the folder argument was not in the field"
# Started in its own folder, as the Start menu starts it.
(cd "$programs" && KIRABO_LANG=en exec wine "$programs/kirabo.exe" "$photos_w") &
app_pid=$!
exit_kirabo
[[ ! -e "$programs/Kirabo.INI" ]] || fail "Kirabo.INI was written into the install folder"
grep -qF "Folder=$photos_w" "$(user_folder APPDATA)/Kirabo/Kirabo.INI" || fail "no Kirabo.INI in %APPDATA%\\Kirabo"

wine msiexec /x "$(winepath -w "$msi")" /qn || fail "the quiet uninstall failed"
[[ ! -e "$programs" ]] || fail "left behind: $(find "$programs")"
[[ ! -e "$start_menu/Kirabo.lnk" ]] || fail "the shortcut was left behind"
! uninstall_entry || fail "the uninstall entry was left behind"
for key in 'Software\Classes\Directory\shell\Kirabo' 'Software\Classes\Directory\Background\shell\Kirabo' 'Software\Kirabo'; do
  ! wine reg query "HKCU\\$key" >/dev/null 2>&1 || fail "HKCU\\$key was left behind"
done
echo "MSI installed, started and uninstalled"
