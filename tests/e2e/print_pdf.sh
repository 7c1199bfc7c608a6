#!/usr/bin/env bash
# Prints a graph for real on the cups-pdf printer "PDF" and compares the
# page with ondrix-render's image of the same settings. The page comes from
# the Win32 test PrintingTest.CancelledPrintLeavesNoPdfAndTheNextGivesOnePage,
# which prints Tangent with grid and sonar on and the connection colour
# 0x00A000; it is rasterised at the printer's 300 dpi and set against the
# renderer at the printer's HORZRES x VERTRES. Lines become PostScript
# strokes on the way, so the curve is compared within a small distance, and
# the plain pixel difference is printed as a figure.
set -u

root=$(cd "$(dirname "$0")/../.." && pwd)
failures=0
pass() { echo "PASS: $1"; }
fail() {
  echo "FAIL: $1 ($2)"
  failures=$((failures + 1))
}

# The variables may name the executable or its folder.
bin_dir() {
  if [ -d "$1" ]; then echo "$1"; else dirname "$1"; fi
}

page_width=2479
page_height=3508
dpi=300
# A one-pixel GDI line runs through pixel centres; as a stroke one device
# unit wide it covers two half pixels, both set by the rasteriser. So every
# rendered curve pixel must be inked on the page, and every inked one must
# lie next to a rendered one. Points drawn over the curve leave a few stroke
# pixels beside them: at most 5 per mille of the curve may miss.
render_to_print_distance=0
print_to_render_distance=1
allowed_outliers_permille=5
curve_color='#00A000'    # COLORREF 0x0000A000
test_name=PrintingTest.CancelledPrintLeavesNoPdfAndTheNextGivesOnePage

# WINE names the loader for the tests' build. Debian's "wine" script tries
# the 32-bit loader first, which some kernels cannot run; wine64 starts
# 64-bit programs itself and hands 32-bit ones on.
wine=${WINE:-wine}
[ -z "${WINE:-}" ] && [ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64

win_bin=$(bin_dir "${ONDRIX_WIN32_BIN:?}")
native_bin=$(bin_dir "${ONDRIX_NATIVE_BIN:?}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! pdf_dir=$("$root/scripts/cups-start" 2>"$work/cups.log" | tail -n 1) || [ -z "$pdf_dir" ]; then
  fail print_pdf_printer "cups-start: $(tail -n 1 "$work/cups.log")"
  exit 1
fi
pass print_pdf_printer

ls -1 "$pdf_dir" >"$work/before"
ONDRIX_PDF_DIR=$pdf_dir ONDRIX_KEEP_PDF=1 "$wine" "$win_bin/ondrix_win32_tests.exe" --gtest_filter="$test_name" \
  >"$work/print.log" 2>&1
print_status=$?
ls -1 "$pdf_dir" >"$work/after"
mapfile -t added < <(comm -13 <(sort "$work/before") <(sort "$work/after") | grep '\.pdf$')

if [ "$print_status" -ne 0 ]; then
  fail print_pdf_printed "$test_name failed: $(grep -m 1 -i 'failure\|error' "$work/print.log")"
  exit 1
fi
if [ "${#added[@]}" -ne 1 ] || [[ "${added[0]}" != Tangent_-_Ondrix* ]]; then
  fail print_pdf_printed "expected one new Tangent_-_Ondrix*.pdf, found: ${added[*]:-none}"
  exit 1
fi
pdf=$pdf_dir/${added[0]}
trap 'rm -rf "$work" "$pdf"' EXIT
pass print_pdf_printed

info=$(pdfinfo "$pdf" 2>&1)
pages=$(sed -n 's/^Pages:[[:space:]]*//p' <<<"$info")
title=$(sed -n 's/^Title:[[:space:]]*//p' <<<"$info")
if [ "$pages" = 1 ] && [[ "$title" == *"Tangent - Ondrix"* ]]; then
  pass print_pdf_one_page
else
  fail print_pdf_one_page "pages '$pages', title '$title'"
fi

# Anti-aliasing off: the rasteriser sets whole pixels, as GDI does.
pdftoppm -r "$dpi" -aa no -aaVector no -png -singlefile "$pdf" "$work/page"
read -r raster_width raster_height < <(identify -format '%w %h\n' "$work/page.png")
if [ "$raster_width" -lt "$page_width" ] || [ "$raster_height" -lt "$page_height" ]; then
  fail print_pdf_matches_renderer "page rasterised at ${raster_width}x${raster_height}"
  exit 1
fi
convert "$work/page.png" -crop "${page_width}x${page_height}+0+0" +repage "$work/print.png"

"$native_bin/ondrix-render" --size "${page_width}x${page_height}" --function tangent \
  --connect connected --grid on --sonar on --color "Point Connection Color=0x00A000" \
  --png "$work/render.png"

# White where the curve's colour is, black elsewhere.
curve_mask() {
  convert "$1" -fuzz 4% -fill black +opaque "$curve_color" -fill white -opaque "$curve_color" \
    -colorspace Gray "$2"
}
white_pixels() {
  convert "$@" -format '%[fx:round(mean*w*h)]' info:
}
# Pixels of mask $1 farther than $3 pixels from every pixel of mask $2.
outliers() {
  local grow=()
  [ "$3" -gt 0 ] && grow=(-morphology Dilate "Square:$3")
  convert "$1" \( "$2" "${grow[@]}" -negate \) \
    -compose Multiply -composite -format '%[fx:round(mean*w*h)]' info:
}

curve_mask "$work/print.png" "$work/print_curve.png"
curve_mask "$work/render.png" "$work/render_curve.png"
print_curve=$(white_pixels "$work/print_curve.png")
render_curve=$(white_pixels "$work/render_curve.png")
missing=$(outliers "$work/render_curve.png" "$work/print_curve.png" "$render_to_print_distance")
extra=$(outliers "$work/print_curve.png" "$work/render_curve.png" "$print_to_render_distance")
different=$(compare -metric AE "$work/print.png" "$work/render.png" null: 2>&1)
echo "print_pdf: ${page_width}x${page_height} px, pixels differing from the renderer: $different;" \
  "curve pixels: print $print_curve, render $render_curve;" \
  "rendered ones not inked: $missing; inked ones farther than $print_to_render_distance px" \
  "from a rendered one: $extra"

allowed=$((render_curve * allowed_outliers_permille / 1000))
if [ "$render_curve" -gt 0 ] && [ "$print_curve" -gt 0 ] &&
  [ "$missing" -le "$allowed" ] && [ "$extra" -le "$allowed" ]; then
  pass print_pdf_matches_renderer
else
  fail print_pdf_matches_renderer "curve outliers $missing and $extra, allowed $allowed"
fi

[ "$failures" -eq 0 ]
