#!/usr/bin/env bash
# Ondrix under Wine, driven with keys: the caption follows the function, the
# settings and the placement survive a restart through the registry, and the
# client area shows exactly what ondrix-render draws for the same settings.
set -u
# shellcheck source=lib/ondrix.bash
source "$(dirname "${BASH_SOURCE[0]}")/lib/ondrix.bash"
trap e2e_cleanup EXIT

if [ ! -f "$ONDRIX_WIN32_BIN/ondrix.exe" ] || [ ! -x "$ONDRIX_NATIVE_BIN/ondrix-render" ]; then
  fail "programs to test" "ondrix.exe or ondrix-render is missing"
  e2e_finish
fi

let_wine_draw_frames

# First run, from a fresh registry key.
wine_reg delete "$ONDRIX_KEY" /f >/dev/null
if ! start_ondrix; then
  fail "a fresh start shows its window" "no window titled ' - Ondrix' within 90 s"
  e2e_finish
fi
wait_until 10 title_is "Sine - Ondrix"
check "a fresh start is titled Sine - Ondrix" "title '$(window_title)'" title_is "Sine - Ondrix"

press 3
wait_until 10 title_is "Tangent - Ondrix"
check "key 3 switches to Tangent - Ondrix" "title '$(window_title)'" title_is "Tangent - Ondrix"

press space period
window_geometry
closed_rect="$window_x $window_y $window_w $window_h"
check "Alt+F4 ends the program" "still running after 30 s" close_ondrix

stored=$(wine_reg query "$ONDRIX_KEY")
stored_value() {
  awk -F'    ' -v name="$1" '$2 == name { print $3 " " $4 }' <<<"$stored"
}
stored_value_is() {
  [ "$(stored_value "$1")" = "$2" ]
}
check "Graph Method is stored as REG_DWORD 0x81" "stored '$(stored_value "Graph Method")'" \
  stored_value_is "Graph Method" "REG_DWORD 0x81"
check "Grid is stored off as REG_BINARY" "stored '$(stored_value "Grid")'" \
  stored_value_is "Grid" "REG_BINARY 00000000"
check "Sonar is stored on as REG_BINARY" "stored '$(stored_value "Sonar")'" \
  stored_value_is "Sonar" "REG_BINARY 01000000"

stored_int() {
  local data
  data=$(stored_value "$1" | awk '{ print $2 }')
  # REG_DWORD shows as unsigned hex; the placement is signed.
  [ -n "$data" ] && echo $(((data ^ 0x80000000) - 0x80000000))
}
stored_rect="$(stored_int "Window X Placement") $(stored_int "Window Y Placement")"
stored_rect+=" $(stored_int "Window Width") $(stored_int "Window Height")"
check "the closed window's outer rectangle is stored" "stored $stored_rect, window was $closed_rect" \
  [ "$stored_rect" = "$closed_rect" ]

# Second run: a known placement and a background colour that Wine's frame
# never uses, so that the client area can be found in a screenshot.
background=E6F0FA
reg_import '[HKEY_CURRENT_USER\Software\Velmora\Ondrix]' \
  '"Window X Placement"=dword:00000028' '"Window Y Placement"=dword:0000001e' \
  '"Window Width"=dword:000001f4' '"Window Height"=dword:00000190' \
  "\"Background Color\"=dword:00$background"
if ! start_ondrix; then
  fail "a second start shows its window" "no window titled ' - Ondrix' within 90 s"
  e2e_finish
fi
wait_until 10 title_is "Tangent - Ondrix"
check "a second start restores Tangent - Ondrix" "title '$(window_title)'" \
  title_is "Tangent - Ondrix"
window_geometry
check "a second start opens at the stored placement" \
  "window at $window_x $window_y $window_w $window_h" \
  [ "$window_x $window_y $window_w $window_h" = "40 30 500 400" ]

# COLORREF 0x00BBGGRR is the colour #RRGGBB.
color="#${background:4:2}${background:2:2}${background:0:2}"
shot="$e2e_work/screen.png" actual="$e2e_work/client.png" expected="$e2e_work/render.png"
compare_client() {
  capture_client "$shot" "$color" || {
    compare_result="no client area of colour $color found"
    return 1
  }
  convert "$shot" -crop "${client_w}x${client_h}+${client_x}+${client_y}" +repage "$actual"
  "$ONDRIX_NATIVE_BIN/ondrix-render" --size "${client_w}x${client_h}" --function tangent \
    --grid off --sonar on --color "Background Color=0x$background" --png "$expected" ||
    {
      compare_result="ondrix-render failed"
      return 1
    }
  local differing
  differing=$(compare -metric AE "$actual" "$expected" null: 2>&1)
  compare_result="$differing of $((client_w * client_h)) pixels differ at ${client_w}x${client_h}+${client_x}+${client_y}"
  [ "$differing" = 0 ]
}
# A paint still under way shows as a difference: look again for a while.
matched=no
deadline=$((SECONDS + 15))
while :; do
  if compare_client; then
    matched=yes
    break
  fi
  [ "$SECONDS" -ge "$deadline" ] && break
  sleep 0.5
done
if [ "$matched" = yes ]; then
  pass "the client area equals ondrix-render pixel for pixel ($((client_w * client_h)) pixels, ${client_w}x${client_h})"
else
  kept="${TMPDIR:-/tmp}/ondrix-e2e-screen.png"
  cp "$shot" "$kept" 2>/dev/null
  fail "the client area equals ondrix-render pixel for pixel" "$compare_result; screenshot $kept"
fi

check "the second run ends with Alt+F4" "still running after 30 s" close_ondrix
e2e_finish
