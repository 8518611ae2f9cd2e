#!/usr/bin/env bash
# End to end under Wine and Xvfb: the demo host shows the page, a real click ticks the box, a real
# click on OK writes one binary byte 0 to NameNumericTail, the restart question is answered No; F12
# and OK reach the host as notifications. Keeps screenshots under build/e2e/.
set -uo pipefail
export LC_ALL=C  # the page's texts are code page 1252 bytes
cd "$(dirname "$0")/../.."
export NAMTAIL_WINEPREFIX="$PWD/build/wine-x11" NAMTAIL_WINE_GRAPHICS=x11
source scripts/wine-env
bin=build/windows-x64/bin
key='HKLM\System\CurrentControlSet\Control\FileSystem'

xvfb_start || exit 1
trap 'xvfb_stop; wine_server_stop' EXIT
wine_prefix_ready
wine reg delete "$key" /v NameNumericTail /f >/dev/null 2>&1
mkdir -p build/e2e
out=build/e2e/host.out
wine "$bin/NamtailHost.exe" --caption "Alias names" --exit-after 30000 >"$out" 2>/dev/null </dev/null &
host=$!
for _ in $(seq 100); do grep -q "page client origin" "$out" && break; sleep 0.2; done
read -r x y < <(grep -o 'origin [-0-9]* [-0-9]*' "$out" | cut -d' ' -f2,3)
[ -n "${x:-}" ] || { echo "the page did not appear"; exit 1; }
sleep 1
xdotool mousemove $((x + 36)) $((y + 162)) click 1   # the checkbox
sleep 0.5
xdotool key F12                                      # switch window, focus on the checkbox
sleep 0.5
xdotool mousemove $((x + 34)) $((y + 399)) click 1   # OK
# The restart question, byte for byte in code page 1252, must be on screen before it is answered.
question=$(printf 'message box: Um diese \xc4nderung zu aktivieren, ist ein Neustart des Systems erforderlich. Soll der Neustart jetzt durchgef\xfchrt werden ?')
has_line() { tr -d '\r' <"$2" | grep -qaxF "$1"; }  # the host prints with CR LF
for _ in $(seq 50); do has_line "$question" "$out" && break; sleep 0.2; done
has_line "$question" "$out" || { echo "no restart question before answering"; kill $host; exit 1; }
grep -q 'notification 9999' "$out" && { echo "OK notified before the question was answered"; kill $host; exit 1; }
sleep 0.5
import -display "$DISPLAY" -window root -crop 760x560+0+0 build/e2e/restart-question.png
xdotool key n                                        # no restart now
for _ in $(seq 50); do grep -q 'notification 9999' "$out" && break; sleep 0.2; done
import -display "$DISPLAY" -window root -crop 560x520+0+0 build/e2e/page.png
result=$(wine reg query "$key" /v NameNumericTail 2>/dev/null | tr -d '\r')
kill $host 2>/dev/null
wait $host 2>/dev/null
grep -q 'notification 200, 0' "$out" || { echo "no switch-window notification"; exit 1; }
grep -q 'notification 9999, 2' "$out" || { echo "no OK notification"; exit 1; }
echo "$result" | grep -q 'NameNumericTail[[:space:]]*REG_BINARY[[:space:]]*00$' || { echo "registry holds: $result"; exit 1; }
echo "ticked and applied: NameNumericTail = binary 00"
