#!/usr/bin/env bash
# A real print on the cups-pdf printer "PDF" by the Win32 test below (Tangent,
# grid and sonar on, connection colour 0x00A000), rasterised at 300 dpi and set
# against ondrix-render at the printer's HORZRES x VERTRES. Lines become strokes
# on the way: the curve is compared within a pixel.
set -u
# shellcheck source=lib/ondrix.bash
source "$(dirname "${BASH_SOURCE[0]}")/lib/ondrix.bash"
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
test_name=PrintingTest.CancelledPrintLeavesNoPdfAndTheNextGivesOnePage
size=2479x3508
curve='#00A000'

pdf_dir=$("$root/scripts/cups-start" 2>"$work/cups.log" | tail -n 1)
check "the PDF printer is ready" "cups-start: $(tail -n 1 "$work/cups.log")" [ -d "$pdf_dir" ] || exit
ls -1 "$pdf_dir" >"$work/before"
ONDRIX_PDF_DIR=$pdf_dir ONDRIX_KEEP_PDF=1 "$WINE" "$ONDRIX_WIN32_BIN/ondrix_win32_tests.exe" \
  --gtest_filter="$test_name" >"$work/print.log" 2>&1
status=$?
check "$test_name passes" "$(grep -m 1 -i 'failure\|error' "$work/print.log")" [ $status = 0 ] || exit
mapfile -t added < <(ls -1 "$pdf_dir" | comm -13 "$work/before" - | grep '^Tangent_-_Ondrix.*\.pdf$')
check "one new Tangent_-_Ondrix PDF" "found: ${added[*]:-none}" [ "${#added[@]}" = 1 ] || exit
pdf=$pdf_dir/${added[0]}
info=$(pdfinfo "$pdf" 2>&1)
page=$(sed -n 's/^Title: *//p; s/^Pages: *//p' <<<"$info" | tr '\n' '|')
check "one page titled Tangent - Ondrix" "$info" [ "$page" = "Tangent - Ondrix|1|" ]

pdftoppm -r 300 -aa no -aaVector no -png -singlefile "$pdf" "$work/page"
rm -f "$pdf"
convert "$work/page.png" -crop "$size+0+0" +repage "$work/print.png"
matches_render "$work/print.png" "$size" --function tangent --grid on --sonar on \
  --color "Point Connection Color=0x00A000"
# White where the curve's colour is; $(count MASK) counts white pixels.
mask() { convert "$1" -fuzz 4% -fill black +opaque "$curve" -fill white -opaque "$curve" "$2"; }
count() { convert "$@" -colorspace Gray -format '%[fx:round(mean*w*h)]' info:; }
mask "$work/print.png" "$work/print_curve.png"
mask "$work/render.png" "$work/render_curve.png"
# Every rendered curve pixel must be inked and every inked one lie next to a
# rendered one, but for the few stroke pixels beside points drawn over it.
missing=$(count "$work/render_curve.png" \( "$work/print_curve.png" -negate \) -compose Multiply -composite)
extra=$(count "$work/print_curve.png" \( "$work/render_curve.png" -morphology Dilate Square:1 -negate \) \
  -compose Multiply -composite)
rendered=$(count "$work/render_curve.png")
check "the printed curve lies on the rendered one" "outliers $missing and $extra" [ "$rendered" -gt 0 \
  -a $((missing * 200)) -le "$rendered" -a $((extra * 200)) -le "$rendered" ]
