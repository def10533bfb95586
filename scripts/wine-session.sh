# Sourced by the scripts that run kirabo.exe under wine on a virtual X
# display of their own:
#   wine_session_start WORK   a display (KIRABO_SCREEN_SIZE, 1024x768 unless
#                             set) and a throw-away wine prefix in WORK,
#                             one persistent wine server for every step, and
#                             fonts for the program's Japanese texts
#   wine_session_end          ends the server and the display it started
#   wine_session_cleanup_at_exit WORK
#                             at exit: kills $app_pid (a started program, if
#                             any), ends the session and removes WORK
#   wait_for SECONDS CMD...   runs CMD every 0.2 s until it succeeds; false
#                             when the time runs out
#   fail MESSAGE              says FAIL and the open windows, then exits 1
# Needs Xvfb, wine and python3; fail lists windows with xdotool.

wine_session_xvfb=""
app_pid=""

wine_session_cleanup_at_exit() {
  wine_session_work=$1
  trap 'if [[ -n "$app_pid" ]]; then kill "$app_pid" 2>/dev/null || true; fi
        wine_session_end
        rm -rf "$wine_session_work"' EXIT
}

wait_for() {
  local tries=$(($1 * 5)); shift
  until "$@"; do
    tries=$((tries - 1))
    ((tries > 0)) || return 1
    sleep 0.2
  done
}

fail() {
  echo "FAIL: $*" >&2
  local id
  for id in $(xdotool search --name . 2>/dev/null); do echo "  window $id: $(xdotool getwindowname "$id")" >&2; done
  exit 1
}

wine_session_start() {
  local work=$1
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 "${KIRABO_SCREEN_SIZE:-1024x768}x24" -nolisten tcp >/dev/null 2>&1 &
  wine_session_xvfb=$!
  exec 3>&-
  local tries=100
  until [[ -s "$work/display" ]]; do
    tries=$((tries - 1))
    if ((tries == 0)); then
      echo "Xvfb did not start" >&2
      return 1
    fi
    sleep 0.2
  done
  export DISPLAY=":$(cat "$work/display")"

  export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8
  mkdir -p "$WINEPREFIX"
  wineserver -p
  wineboot -i >/dev/null 2>&1
  # The dialogs' font, and the system's fonts for message boxes, menus and
  # captions in one with Japanese glyphs.
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
    /v 'ＭＳ Ｐゴシック' /d IPAPGothic /f >/dev/null
  local font
  font="$(python3 -c "import struct; print(struct.pack('<5l8B', -12, 0, 0, 0, 400, 0, 0, 0, 128, 0, 0, 0, 0).hex() + 'IPAPGothic'.encode('utf-16-le').ljust(64, b'\0').hex())")"
  local metric
  for metric in MessageFont MenuFont CaptionFont SmCaptionFont; do
    wine reg add 'HKCU\Control Panel\Desktop\WindowMetrics' /v "$metric" /t REG_BINARY /d "$font" /f >/dev/null
  done
}

wine_session_end() {
  if [[ -n "${WINEPREFIX:-}" ]]; then wineserver -k 2>/dev/null || true; fi
  if [[ -n "$wine_session_xvfb" ]]; then kill "$wine_session_xvfb" 2>/dev/null || true; fi
  wine_session_xvfb=""
}
