#!/usr/bin/env bash
# ondrix.exe under Wine, and its print on cups-pdf, against ondrix-render. Needs DISPLAY,
# WINEPREFIX, WINE, ONDRIX_WIN32_BIN and ONDRIX_NATIVE_BIN.
set -u
. "$(dirname "${BASH_SOURCE[0]}")/checks.bash"
work=$(mktemp -d "${TMPDIR:-/tmp}/ondrix-e2e.XXXXXX")
key='HKCU\Software\Velmora\Ondrix' x11_key='HKCU\Software\Wine\X11 Driver' pid=''
trap 'kill $pid; "$WINE" reg delete "$x11_key" /v Decorated /f; rm -rf "$work"; exit $failures' EXIT
render() { "$ONDRIX_NATIVE_BIN/ondrix-render" --size "$@" --png "$work/render.png"; }
# pixels_off IMAGE SIZE OPTION...: how many pixels of IMAGE differ from ondrix-render's.
pixels_off() { render "${@:2}" && compare -metric AE "$1" "$work/render.png" null: 2>&1; }
matches_render() { [ "$(pixels_off "$@")" = 0 ]; }
# crop NAME: the client area of the last screenshot as NAME.png.
crop() { convert "$work/shot.png" -crop "$client" +repage "$work/$1.png"; }
gone() { [[ "$(ps -o stat= -p "$pid")" =~ ^Z?$ ]]; }
keys() { timeout 10 xdotool windowfocus --sync "$window" key "$@"; }
# start CASE TITLE REGEDIT4_LINES...: stores the lines, starts ondrix.exe and waits for its window.
start() {
  printf '%s\r\n' REGEDIT4 '' '[HKEY_CURRENT_USER\Software\Velmora\Ondrix]' "${@:3}" >"$work/in.reg"
  "$WINE" reg import "Z:${work//\//\\}\\in.reg"
  "$WINE" "$ONDRIX_WIN32_BIN/ondrix.exe" &
  pid=$!
  window=$(timeout 90 xdotool search --sync --onlyvisible --name "^$2\$" | head -1)
  check "$1 shows a window titled $2" "none within 90 s" [ -n "$window" ]
}
# Alt+F4 goes through the window's own exit, which stores the settings.
close() {
  keys alt+F4
  check "Alt+F4 ends the program" "still running after 30 s" wait_until 30 gone
}

# Wine draws the frame as Windows would; the Win32 tests hold the placement.
"$WINE" reg add "$x11_key" /v Decorated /d N /f
"$WINE" reg delete "$key" /f
placement=('"Window X Placement"=dword:00000028' '"Window Y Placement"=dword:0000001e'
  '"Window Width"=dword:000001f4' '"Window Height"=dword:00000190')
# A background the frame never uses finds the client area (COLORREF 0x00BBGGRR is #RRGGBB).
# X tick 5e-6 draws for longer than a paint waits.
start "a start on a slow graph" "Tangent - Ondrix" '"X Tick Mark Frequency"="5e-6"' \
  '"Background Color"=dword:00e6f0fa' '"Graph Method"=dword:00000081' '"Grid"=hex:00,00,00,00' \
  '"Sonar"=hex:01,00,00,00' "${placement[@]}" || exit
options=(--function tangent --grid off --sonar on --color "Background Color=0xE6F0FA"
  --value "X Tick Mark Frequency=5e-6")
shown() {  # a paint under way differs: look again for a while
  import -window root "$work/shot.png" &&
    client=$(convert "$work/shot.png" -fill black +opaque '#FAF0E6' -fill white -opaque '#FAF0E6' -format '%@' info:) &&
    crop client &&
    matches_render "$work/client.png" "${client%%+*}" "${options[@]}"
}
check "the slow graph appears on its own" "no client area equal to ondrix-render within 30 s" wait_until 30 shown
keys 2
options[1]=cosine
check "so does the next one after the key 2" "no equal client area within 30 s" wait_until 30 shown
keys ctrl+c
copied() { xclip -selection clipboard -t image/bmp -o >"$work/copy.bmp" && matches_render "$work/copy.bmp" "${client%%+*}" "${options[@]}"; }
check "Ctrl+C copies exactly the client area (${client%%+*})" "no equal image/bmp within 10 s" wait_until 10 copied
# Ctrl+S, a bare name typed over the offered one and Enter: the PNG type's file of the client area.
keys ctrl+s
dialog=$(timeout 30 xdotool search --sync --onlyvisible --name '^Save Graph As$' | head -1)
timeout 10 xdotool windowfocus --sync "$dialog" key ctrl+a type "Z:${work//\//\\}\\saved"
timeout 10 xdotool key Return
check "Ctrl+S saves exactly the client area as saved.png" "no equal PNG within 10 s" \
  wait_until 10 matches_render "$work/saved.png" "${client%%+*}" "${options[@]}"
close

# The Win32 test's page (Tangent, grid, sonar, numbers, connection 0x00A000) at 300 dpi.
check "the Win32 print test passes" "its output above" env ONDRIX_KEEP_PDF=1 "$WINE" \
  "$ONDRIX_WIN32_BIN/ondrix_win32_tests.exe" --gtest_filter=MainWindowTest.CancelledPrint* || exit
pdf=$(find ~/PDF -name 'Tangent_-_Ondrix*.pdf' -newer "$work/in.reg")  # in.reg predates the test
page=$(pdfinfo "$pdf" | sed -n 's/^Title: *//p; s/^Pages: *//p' | tr '\n' '|')
check "one new PDF, one page titled Tangent - Ondrix" "'$pdf': $page" [ "$page" = "Tangent - Ondrix|1|" ] || exit
pdftoppm -r 300 -aa no -aaVector no -png -singlefile "$pdf" "$work/page"
rm -f "$pdf"
render 2479x3508 --function tangent --grid on --sonar on --color "Point Connection Color=0x00A000" \
  --numbers on --number-scale 3
count() { convert "$@" -format '%[fx:round(mean*w*h)]' info:; }
# $(outside A B INK [OPERATIONS]): the INK pixels of A not in B's (after the operations).
outside() { count "$work/$1-$3.png" \( "$work/$2-$3.png" "${@:4}" -negate \) -compose Multiply -composite; }
# Lines become strokes on the way: the curve, and the black axes and numbers, white on black
# (through magenta, which the graph never uses), must agree within a pixel either way.
for ink in 00A000 000000; do
  for image in page render; do
    convert "$work/$image.png" -crop 2479x3508+0+0 +repage -fuzz 4% -fill '#FF00FF' -opaque "#$ink" \
      -fill black +opaque '#FF00FF' -fill white -opaque '#FF00FF' "$work/$image-$ink.png"
  done
  missing=$(outside render page $ink) extra=$(outside page render $ink -morphology Dilate Square:1)
  rendered=$(count "$work/render-$ink.png")
  check "the printed #$ink lies on the rendered one" "outliers $missing and $extra of $rendered" \
    [ "$rendered" -gt 0 -a $((missing * 200)) -le "$rendered" -a $((extra * 200)) -le "$rendered" ]
done

# X tick 1e-7 takes hours to draw: the keys still work. A logoff ends the process, which never
# sees a close: the function chosen is stored all the same.
start "a start on an endless graph" "Cosine - Ondrix" '"Graph Method"=dword:00000082' \
  '"X Tick Mark Frequency"="1e-7"' || exit
keys 4
check "the key 4 gives Cotangent" "title '$(xdotool getwindowname "$window")'" \
  wait_until 10 xdotool search --name '^Cotangent - Ondrix$'
"$WINE" wineboot --end-session
kill -9 "$pid" 2>/dev/null
check "a logoff stores what the key chose" "stored: $("$WINE" reg query "$key" /v "Graph Method" | tr -d '\r')" \
  bash -c "'$WINE' reg query '$key' /v 'Graph Method' | grep -qE 'REG_DWORD +0x7e'"

# Wheel notches (X button 4: in) and a drag; the exit stores the six view texts.
view=("Minimum X" "Maximum X" "X Tick Mark Frequency" "Minimum Y" "Maximum Y" "Y Tick Mark Frequency")
read_view() {
  mapfile -t texts < <(for name in "${view[@]}"; do
    "$WINE" reg query "$key" /v "$name" | tr -d '\r' | sed -n "s/^ *$name *REG_SZ *//p"
  done)
}
view_options() {
  options=(--color "Background Color=0xE6F0FA" "$@")
  for i in "${!view[@]}"; do options+=(--value "${view[i]}=${texts[i]-}"); done
}
snap() { import -window root "$work/shot.png" && crop "$1"; }
settled() { snap last && sleep 0.5 && snap client && [ "$(compare -metric AE "$work/last.png" "$work/client.png" null: 2>&1)" = 0 ]; }
differing() { pixels_off "$work/client.png" "${client%%+*}" "${options[@]}"; }
# Notches 0.7 s apart, a Back step each, then a drag, one more, ending along x alone (a pan that
# shows the last image moved until the new one is done).
gestures() {
  IFS='x+' read -r width height left top <<<"$client"
  local x=$((left + width / 3)) y=$((top + height / 4))
  timeout 10 xdotool windowfocus --sync "$window" mousemove "$x" "$y"
  for _ in 1 2 3; do timeout 10 xdotool sleep 0.7 click 4; done
  timeout 10 xdotool sleep 0.7 mousedown 1 mousemove $((x + 12)) $((y - 8)) sleep 0.1 \
    mousemove $((x + 25)) $((y - 23)) sleep 0.1 mousemove $((x + 37)) $((y - 23)) sleep 0.1 mouseup 1
}

"$WINE" reg delete "$key" /f
start "a start on the default view" "Sine - Ondrix" '"Background Color"=dword:00e6f0fa' "${placement[@]}" || exit
texts=(-2p 3p .0833333333333333p -4 4 1)
view_options
check "the default view appears" "no client area equal to ondrix-render within 30 s" wait_until 30 shown
gestures
wait_until 20 settled
close
read_view
check "three notches and a drag store a new view" "stored: ${texts[*]}" [ "${texts[*]}" != "-2p 3p .0833333333333333p -4 4 1" ]
view_options
pixels=$(differing)
check "the view shown is ondrix-render's of those texts" "$pixels pixels differ at ${client%%+*}" [ "$pixels" = 0 ]

# Stored switches: numbers as ondrix-render's, above the status bar; Back retraces the gestures.
start_texts=("${texts[@]}")
start "a start on that view with axis numbers and the status bar" "Sine - Ondrix" \
  '"Axis Numbers"=dword:00000001' '"Status Bar"=dword:00000001' || exit
view_options --numbers on
check "the view appears with its numbers above the bar" "no area equal to ondrix-render within 30 s" \
  wait_until 30 shown
gestures
keys BackSpace BackSpace BackSpace BackSpace  # each a step of its own: the Win32 tests
wait_until 20 settled
pixels=$(differing)
check "four Backs show the first view again" "$pixels pixels differ at ${client%%+*}" [ "$pixels" = 0 ]
close
read_view
check "Back stores the first view's texts exactly" "stored: ${texts[*]}; at the start: ${start_texts[*]}" [ "${texts[*]}" = "${start_texts[*]}" ]
