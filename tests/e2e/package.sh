#!/usr/bin/env bash
# The download for Windows users, made by scripts/package in two fresh clones of HEAD
# (uncommitted changes are not in it): the same bytes twice, the three files, only
# Windows' own DLLs, and the unzipped program starts. Needs DISPLAY, WINEPREFIX and WINE.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/ondrix-package-test.XXXXXX")
head=$(git -C "$root" rev-parse HEAD) pid='' started=$SECONDS
. "$root/tests/e2e/checks.bash"
trap '[ -n "$pid" ] && kill $pid 2>/dev/null && wait $pid; rm -rf "$work"; exit $failures' EXIT
# package CLONE [OPTION]: scripts/package in a fresh clone of HEAD in the folder CLONE.
package() {
  git clone -q "$root" "$1" && git -C "$1" checkout -q --detach "$head" &&
    bash "$1/scripts/package" "${@:2}" >"$1.log" 2>&1 || { tail -5 "$1.log" && false; }
}
# Another folder, a later second, another time zone and umask: the same bytes still.
package_elsewhere() { (sleep 2 && umask 077 && export TZ=XYZ-5:30 && package "$@"); }
# same_zips A B: byte-identical, or how the entries' records (their CRCs among them) differ.
same_zips() {
  cmp -s "$1" "$2" && return
  diff <(zipinfo -v "$1" | sed 1d) <(zipinfo -v "$2" | sed 1d) | grep '^[<>]' | head -12
  false
}

version=$(sed -n 's/^project(Ondrix VERSION \([0-9.]*\) .*/\1/p' "$root/CMakeLists.txt")
zip=ondrix-$version-win32.zip
check "scripts/package in a clone" "its output above" package "$work/one" || exit
check "scripts/package in a second clone" "its output above" package_elsewhere "$work/other/two" || exit
check "two packages of one commit are the same bytes" "see above" \
  same_zips "$work/one/dist/$zip" "$work/other/two/dist/$zip"
check "dist holds $zip, the project's version, and its checksum in SHA256SUMS" "$(cat "$work/one/dist/SHA256SUMS")" \
  bash -c "cd '$work/one/dist' && grep -q ' $zip\$' SHA256SUMS && sha256sum --quiet -c SHA256SUMS"
listing=$(zipinfo -1 "$work/one/dist/$zip" | tr '\n' ' ')
check "the zip holds ondrix.exe, README.txt and LICENSE" "it holds: $listing" \
  [ "$listing" = "ondrix.exe README.txt LICENSE " ] || exit

# A fresh folder holds nothing but the zip's files, so no build's DLL is found beside the program.
fresh=$work/fresh
unzip -q "$work/one/dist/$zip" -d "$fresh"
check "README.txt and LICENSE end every line in CRLF" \
  "lines without: $(cd "$fresh" && grep -cv $'\r$' README.txt LICENSE | tr '\n' ' ')" \
  bash -c "! grep -qv $'\r\$' '$fresh/README.txt' '$fresh/LICENSE'"
header=$(i686-w64-mingw32-objdump -p "$fresh/ondrix.exe")
check "ondrix.exe is a 32-bit Windows GUI program" "$(grep -E 'format|^Subsystem' <<<"$header")" \
  grep -qzE 'file format pei-i386.*Subsystem[[:space:]]+00000002' <<<"$header"
dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$header")
system='^((kernel32|user32|gdi32|comdlg32|advapi32|comctl32|shell32|ole32|oleaut32|windowscodecs|msvcrt)\.dll|winspool\.drv|api-ms-win-.*\.dll)$'
check "ondrix.exe imports only Windows' own DLLs" "imports $(grep -viE "$system" <<<"$dlls" | tr '\n' ' ')" \
  [ -n "$(grep -ix kernel32.dll <<<"$dlls")" -a -z "$(grep -viE "$system" <<<"$dlls")" ]

# The product runs wherever Wine's 32-bit loader does; elsewhere the x86_64 program of the
# same commit, packaged the same way, stands in for it.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  wine=(env -u WINELOADER WINEPREFIX="$root/build/wineprefix32" WINEARCH=win32 /usr/lib/wine/wine)
  what="the unzipped ondrix.exe"
else
  echo "note: this machine cannot execute 32-bit binaries: the zipped i686 ondrix.exe was not started;" \
    "the x86_64 program of the same commit, packaged the same way, is started instead"
  wine=("$WINE") what="the unzipped ondrix.exe of the x86_64 package" fresh=$work/fresh64
  check "scripts/package --win64" "its output above" package "$work/three" --win64 || exit
  unzip -q "$work/three/dist/ondrix-$version-win64.zip" -d "$fresh"
fi
"${wine[@]}" reg delete 'HKCU\Software\Velmora\Ondrix' /f >/dev/null 2>&1
"${wine[@]}" "$fresh/ondrix.exe" 2>"$work/start.log" &
pid=$!
shown() { xdotool search --all --onlyvisible --pid $pid --name '^Sine - Ondrix$' >/dev/null 2>&1; }
ended_or_shown() { ! kill -0 $pid 2>/dev/null || shown; }
wait_until 90 ended_or_shown
why='none within 90 s'
kill -0 $pid 2>/dev/null || { wait $pid; why="it ended with status $? without a window: $(tail -c 400 "$work/start.log")"; }
check "$what starts and shows Sine - Ondrix" "$why" shown
echo "the package checks took $((SECONDS - started)) s"
