# Helpers for the end-to-end scripts: start Ondrix under Wine, wait for its
# window and caption, send keys, read the registry, find the client area in a
# screenshot. Sourced, never run on its own.
#
# Needs DISPLAY, WINEPREFIX, ONDRIX_WIN32_BIN (ondrix.exe) and
# ONDRIX_NATIVE_BIN (ondrix-render); WINE names the Wine loader.

: "${WINE:=wine}"
ONDRIX_KEY='HKCU\Software\Velmora\Ondrix'

e2e_failures=0
e2e_work=$(mktemp -d "${TMPDIR:-/tmp}/ondrix-e2e.XXXXXX")
ondrix_pid=
ondrix_window=
x11_key='HKCU\Software\Wine\X11 Driver'
frames_drawn_by_wine=no

pass() { echo "PASS: $1"; }
fail() {
  echo "FAIL: $1 ($2)"
  e2e_failures=$((e2e_failures + 1))
}

# check NAME REASON COMMAND...: one test case from one command's status.
check() {
  local name=$1 reason=$2
  shift 2
  if "$@"; then
    pass "$name"
  else
    fail "$name" "$reason"
  fi
}

e2e_cleanup() {
  if [ -n "$ondrix_pid" ] && kill -0 "$ondrix_pid" 2>/dev/null; then
    kill "$ondrix_pid" 2>/dev/null
    wait "$ondrix_pid" 2>/dev/null
  fi
  ondrix_pid=
  if [ "$frames_drawn_by_wine" = yes ]; then
    wine_reg delete "$x11_key" /v Decorated /f >/dev/null
    frames_drawn_by_wine=no
  fi
  rm -rf "$e2e_work"
}

e2e_finish() {
  e2e_cleanup
  [ "$e2e_failures" -eq 0 ]
  exit $?
}

# wait_until SECONDS COMMAND...: polls the command until it succeeds.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.2
  done
}

wine_reg() {
  "$WINE" reg "$@" 2>/dev/null | tr -d '\r'
}

# Loads a REGEDIT4 text into the registry.
reg_import() {
  local file="$e2e_work/import.reg"
  printf '%s\r\n' REGEDIT4 "" "$@" >"$file"
  "$WINE" reg import "Z:${file//\//\\}" >/dev/null 2>&1
}

# Wine then draws the frame itself, so the X window is the whole Windows
# window and its geometry is the outer rectangle that the registry holds.
# The prefix gets its setting back at the end.
let_wine_draw_frames() {
  frames_drawn_by_wine=yes
  wine_reg add "$x11_key" /v Decorated /d N /f >/dev/null
}

find_window() {
  ondrix_window=$(xdotool search --onlyvisible --name ' - Ondrix$' 2>/dev/null | head -1)
  [ -n "$ondrix_window" ]
}

start_ondrix() {
  ondrix_window=
  "$WINE" "$ONDRIX_WIN32_BIN/ondrix.exe" >>"$e2e_work/ondrix.log" 2>&1 &
  ondrix_pid=$!
  wait_until 90 find_window
}

window_title() {
  xdotool getwindowname "$ondrix_window" 2>/dev/null
}

title_is() {
  [ "$(window_title)" = "$1" ]
}

press() {
  timeout 10 xdotool windowfocus --sync "$ondrix_window" >/dev/null 2>&1
  xdotool key "$@"
}

ondrix_gone() {
  ! kill -0 "$ondrix_pid" 2>/dev/null || [ "$(ps -o stat= -p "$ondrix_pid" | cut -c1)" = Z ]
}

# Alt+F4 goes through the window's own close handling, which saves the settings.
close_ondrix() {
  press alt+F4
  if wait_until 30 ondrix_gone; then
    wait "$ondrix_pid" 2>/dev/null
    ondrix_pid=
    return 0
  fi
  return 1
}

# Sets window_x, window_y, window_w, window_h to the X window's rectangle:
# the outer rectangle when Wine draws the frame itself (Decorated=N).
window_geometry() {
  eval "$(xdotool getwindowgeometry --shell "$ondrix_window" 2>/dev/null)"
  window_x=${X:-} window_y=${Y:-} window_w=${WIDTH:-} window_h=${HEIGHT:-}
  [ -n "$window_x" ]
}

# find_client_rect SHOT COLOR: the client area is the bounding box of the
# pixels of COLOR (#RRGGBB), a background colour that Wine's frame never
# uses. Sets client_x, client_y, client_w, client_h.
find_client_rect() {
  local box
  box=$(convert "$1" -fill black +opaque "$2" -fill white -opaque "$2" \
    -bordercolor black -border 1 -format '%@' info: 2>/dev/null)
  [[ "$box" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || return 1
  client_w=${BASH_REMATCH[1]} client_h=${BASH_REMATCH[2]}
  client_x=$((BASH_REMATCH[3] - 1)) client_y=$((BASH_REMATCH[4] - 1))
  [ "$client_w" -gt 1 ] && [ "$client_h" -gt 1 ]
}

# The painted client area, once two screenshots in a row agree on it.
capture_client() {
  local shot=$1 color=$2 previous=
  local deadline=$((SECONDS + 30))
  while [ "$SECONDS" -lt "$deadline" ]; do
    if import -window root "$shot" 2>/dev/null && find_client_rect "$shot" "$color"; then
      local current="${client_w}x${client_h}+${client_x}+${client_y}"
      [ "$current" = "$previous" ] && return 0
      previous=$current
    fi
    sleep 0.3
  done
  return 1
}
