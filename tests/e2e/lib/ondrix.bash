# Sourced helpers for the end-to-end scripts: results, the registry, Ondrix
# under Wine driven with keys, images compared with ondrix-render. Needs DISPLAY,
# WINEPREFIX, WINE, ONDRIX_WIN32_BIN and ONDRIX_NATIVE_BIN (their folders).
: "${WINE:=wine}"
ONDRIX_KEY='HKCU\Software\Velmora\Ondrix'
x11_key='HKCU\Software\Wine\X11 Driver'
failures=0 ondrix_pid='' ondrix_window=''
work=$(mktemp -d "${TMPDIR:-/tmp}/ondrix-e2e.XXXXXX")

# check NAME REASON COMMAND...: one case from one command's status.
check() {
  "${@:3}" && echo "PASS: $1" && return
  echo "FAIL: $1 ($2)"
  failures=$((failures + 1))
  return 1
}
# The prefix gets its frame setting back; a program still running is ended.
finish() {
  [ -n "$ondrix_pid" ] && kill "$ondrix_pid" 2>/dev/null && wait "$ondrix_pid" 2>/dev/null
  wine_reg delete "$x11_key" /v Decorated /f >/dev/null
  rm -rf "$work"
  [ "$failures" -eq 0 ]
  exit
}
trap finish EXIT
# wait_until SECONDS COMMAND...: polls the command until it succeeds.
wait_until() {
  local deadline=$((SECONDS + $1))
  until "${@:2}" >/dev/null 2>&1; do
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.2
  done
}
wine_reg() { "$WINE" reg "$@" 2>/dev/null | tr -d '\r'; }
# Loads REGEDIT4 lines into Ondrix's key.
reg_import() {
  printf '%s\r\n' REGEDIT4 '' '[HKEY_CURRENT_USER\Software\Velmora\Ondrix]' "$@" >"$work/in.reg"
  "$WINE" reg import "Z:${work//\//\\}\\in.reg" >/dev/null 2>&1
}
# "TYPE DATA" of a value stored when the program last closed.
stored() { awk -F'    ' -v name="$1" '$2 == name { print $3 " " $4 }' <<<"$stored_key"; }
title_is() { [ "$(xdotool getwindowname "$ondrix_window" 2>/dev/null)" = "$1" ]; }
find_window() {
  ondrix_window=$(xdotool search --onlyvisible --name ' - Ondrix$' 2>/dev/null | head -1)
  [ -n "$ondrix_window" ]
}
# start_ondrix CASE [TITLE]: starts ondrix.exe and waits for its window.
start_ondrix() {
  "$WINE" "$ONDRIX_WIN32_BIN/ondrix.exe" >>"$work/ondrix.log" 2>&1 &
  ondrix_pid=$!
  check "$1 shows its window" "no window titled ' - Ondrix' within 90 s" wait_until 90 find_window &&
    check "$1 is titled $2" "title '$(xdotool getwindowname "$ondrix_window")'" wait_until 10 title_is "$2"
}
# press "TITLE AFTERWARDS" KEYS...: the keys take effect within 10 s.
press() {
  timeout 10 xdotool windowfocus --sync "$ondrix_window" >/dev/null 2>&1
  xdotool key "${@:2}"
  check "keys ${*:2} give '$1'" "title '$(xdotool getwindowname "$ondrix_window")'" \
    wait_until 10 title_is "$1"
}
ondrix_gone() { ! kill -0 "$ondrix_pid" 2>/dev/null || [ "$(ps -o stat= -p "$ondrix_pid")" = Z ]; }
# Alt+F4 goes through the window's own exit, which saves the settings.
close_ondrix() {
  timeout 10 xdotool windowfocus --sync "$ondrix_window" >/dev/null 2>&1
  xdotool key alt+F4
  check "Alt+F4 ends the program" "still running after 30 s" wait_until 30 ondrix_gone &&
    wait "$ondrix_pid" 2>/dev/null
  ondrix_pid=
  stored_key=$(wine_reg query "$ONDRIX_KEY")
}
# matches_render IMAGE WIDTHxHEIGHT OPTIONS...: IMAGE is, pixel for pixel,
# what ondrix-render draws with the options; sets `differing`.
matches_render() {
  "$ONDRIX_NATIVE_BIN/ondrix-render" --size "$2" "${@:3}" --png "$work/render.png" &&
    differing=$(compare -metric AE "$1" "$work/render.png" null: 2>&1) && [ "$differing" = 0 ]
}
# The client area in a screenshot: the bounding box of the pixels of colour
# $1 (#RRGGBB, a background that Wine's frame never uses). Sets client_size
# and $work/client.png.
capture_client() {
  local client
  import -window root "$work/shot.png" 2>/dev/null &&
    client=$(convert "$work/shot.png" -fill black +opaque "$1" -fill white -opaque "$1" \
      -format '%@' info: 2>/dev/null) && [[ "$client" =~ ^([0-9]+x[0-9]+)\+ ]] &&
    client_size=${BASH_REMATCH[1]} && convert "$work/shot.png" -crop "$client" +repage "$work/client.png"
}
