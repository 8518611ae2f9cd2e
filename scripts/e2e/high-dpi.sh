#!/usr/bin/env bash
# The page on dense screens under Wine and Xvfb, in a prefix of its own: the density test of the suite
# runs at 192, 144 and 120 dpi, then at 120 the demo host shows the page and the pointer rests on each
# image button, which must show its hot image and its hint. Screenshots stay under build/e2e/high-dpi/.
set -uo pipefail
cd "$(dirname "$0")/../.."
export NAMTAIL_WINEPREFIX="$PWD/build/wine-120dpi" NAMTAIL_WINE_GRAPHICS=x11
source scripts/wine-env
out=build/e2e/high-dpi
mkdir -p "$out"
rm -f "$out"/*.png

xvfb_start || exit 1
trap 'xvfb_stop; wine_server_stop' EXIT
wine_prefix_ready
# The density test of the suite at each density, the checkbox's square and caption included; the
# density takes effect with a new wineserver.
for dpi in 192 144 120; do
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1
  wine_server_stop
  wineserver -w 2>/dev/null
  wine_server_start
  NAMTAIL_EXPECT_DPI=$dpi wine build/windows-x64/bin/namtail_tests.exe --gtest_brief=1 \
    --gtest_filter='Density.*' >"$out/density-$dpi.log" 2>&1 </dev/null
  grep -q '\[  PASSED  \] 1 test' "$out/density-$dpi.log" ||
    { cat "$out/density-$dpi.log"; echo "density test failed at $dpi dpi"; exit 1; }
done

host_out="$out/host.out"
wine build/windows-x64/bin/NamtailHost.exe --caption "Alias names" --exit-after 40000 >"$host_out" 2>/dev/null </dev/null &
host=$!
# "Big" comes before the page appears, and waits for its OK.
box=""
for _ in $(seq 100); do box=$(xdotool search --name '^Namtail$' 2>/dev/null | head -1); [ -n "$box" ] && break; sleep 0.2; done
[ -n "$box" ] || { echo "no warning box at 120 dpi"; exit 1; }
sleep 1
import -display "$DISPLAY" -window root "$out/big.png"
tr -d '\r' <"$host_out" | grep -qx "message box: Big" || { echo "the warning box does not read Big"; exit 1; }
grep -q "page client origin" "$host_out" && { echo "the page showed before the warning was answered"; exit 1; }
xdotool windowactivate --sync "$box" key Return 2>/dev/null || xdotool key Return
for _ in $(seq 100); do grep -q "page client origin" "$host_out" && break; sleep 0.2; done
read -r x y < <(grep -o 'origin [-0-9]* [-0-9]*' "$host_out" | cut -d' ' -f2,3)
[ -n "${x:-}" ] || { echo "the page did not appear"; exit 1; }
sleep 1
xdotool mousemove 5 5
sleep 1
import -display "$DISPLAY" -window root "$out/rest.png"
status=0
declare -A hints=([OK]="Changes will be saved immediately" [Undo]="Restore defaults" [Info]="Valid to ..."
  [Registry]="Registry Lookup")
for button in OK:34 Undo:74 Info:218 Registry:258; do
  name=${button%%:*} cx=$((x + ${button##*:})) cy=$((y + 401))
  xdotool mousemove "$cx" "$cy"
  sleep 2
  import -display "$DISPLAY" -window root "$out/hover-$name.png"
  # The button itself (hot image) and the area below the pointer (the hint) must have changed.
  glyph=$(compare -metric AE -crop "30x30+$((cx - 15))+$((cy - 15))" "$out/rest.png" "$out/hover-$name.png" null: 2>&1)
  hint=$(compare -metric AE -crop "160x30+$((cx - 20))+$((cy + 18))" "$out/rest.png" "$out/hover-$name.png" null: 2>&1)
  echo "$name: glyph pixels changed ${glyph%% *}, hint pixels changed ${hint%% *}"
  [ "${glyph%% *}" -gt 20 ] && [ "${hint%% *}" -gt 100 ] || status=1
  shown=$(grep '^hint: ' "$host_out" | tail -1 | tr -d '\r')
  echo "$name: $shown"
  [ "$shown" = "hint: ${hints[$name]}" ] || status=1
  xdotool mousemove 5 5
  sleep 1
done
kill $host 2>/dev/null
wait $host 2>/dev/null
[ $status -eq 0 ] || { echo "a button did not show its hot image or hint"; exit 1; }
echo "120, 144, 192 dpi: controls within 3 px of their design, the checkbox holds its square and caption; at 120 hot images and hints shown"
