#!/usr/bin/env bash
# Ondrix under Wine, driven with keys: stored settings that take hours to draw
# still let the user in and out; caption, settings and placement across a
# restart; the client area and its Ctrl+C copy against ondrix-render.
set -u
# shellcheck source=lib/ondrix.bash
source "$(dirname "${BASH_SOURCE[0]}")/lib/ondrix.bash"

# Wine draws the frame itself, so the X window is the outer rectangle that
# the registry holds. An X tick spacing of 1e-7 takes hours to draw.
wine_reg add "$x11_key" /v Decorated /d N /f >/dev/null
wine_reg delete "$ONDRIX_KEY" /f >/dev/null
reg_import '"X Tick Mark Frequency"="1e-7"'
start_ondrix "a start with slow settings" "Sine - Ondrix" || exit
press "Tangent - Ondrix" 3
press "Tangent - Ondrix" space period
eval "$(xdotool getwindowgeometry --shell "$ondrix_window")"
close_ondrix
for value in "Graph Method=REG_DWORD 0x81" "Grid=REG_BINARY 00000000" "Sonar=REG_BINARY 01000000" \
  "X Tick Mark Frequency=REG_SZ 1e-7" "Window Height=REG_DWORD $(printf '0x%x' "$HEIGHT")"; do
  check "${value%%=*} is stored as ${value#*=}" "stored '$(stored "${value%%=*}")'" \
    [ "$(stored "${value%%=*}")" = "${value#*=}" ]
done

# A known placement, and a background that the frame never uses, so that the
# client area can be found in a screenshot. COLORREF 0x00BBGGRR is #RRGGBB.
reg_import '"X Tick Mark Frequency"=".0833333333333333p"' '"Window X Placement"=dword:00000028' \
  '"Window Y Placement"=dword:0000001e' '"Window Width"=dword:000001f4' \
  '"Window Height"=dword:00000190' '"Background Color"=dword:00e6f0fa'
start_ondrix "a second start" "Tangent - Ondrix" || exit
eval "$(xdotool getwindowgeometry --shell "$ondrix_window")"
check "a second start opens at the stored placement" "window at $X $Y $WIDTH $HEIGHT" \
  [ "$X $Y $WIDTH $HEIGHT" = "40 30 500 400" ]
render=(--function tangent --grid off --sonar on --color "Background Color=0xE6F0FA")
# A paint still under way shows as a difference: look again for a while.
shown() { capture_client '#FAF0E6' && matches_render "$work/client.png" "$client_size" "${render[@]}"; }
check "the client area equals ondrix-render" "no equal client area within 15 s" wait_until 15 shown
timeout 10 xdotool windowfocus --sync "$ondrix_window" >/dev/null 2>&1
xdotool key ctrl+c
copied() {
  xclip -selection clipboard -t image/bmp -o >"$work/copy.bmp" &&
    matches_render "$work/copy.bmp" "$client_size" "${render[@]}"
}
check "Ctrl+C copies exactly the client area ($client_size)" "no equal image/bmp within 10 s" \
  wait_until 10 copied
close_ondrix
