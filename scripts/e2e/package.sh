#!/usr/bin/env bash
# The release package as a host writer gets it: unpacked into an empty folder, its demo host shows
# the page from the libraries beside it under Wine.
set -uo pipefail
cd "$(dirname "$0")/../.."
scripts/package >/dev/null || { echo "packaging failed"; exit 1; }
source scripts/wine-env
zip=build/package/Namtail-1.0.0.0-windows-x64.zip
dir=build/e2e/unpacked
rm -rf "$dir" && mkdir -p "$dir"
(cd "$dir" && cmake -E tar xf "../../../$zip") || { echo "cannot unpack $zip"; exit 1; }
root="$dir/Namtail-1.0.0.0-windows-x64"
for f in Namtail.dll QuandeoHelp.dll NamtailHost.exe Namtail.h HostWriters.txt LICENSE; do
  [ -f "$root/$f" ] || { echo "missing in the package: $f"; exit 1; }
done
wine_prefix_ready
wine_server_start 60
out=$(cd "$root" && timeout 60 wine NamtailHost.exe --exit-after 3000 </dev/null 2>/dev/null | tr -d '\r')
echo "$out" | grep -q 'page client origin' || { echo "the unpacked demo host showed no page: $out"; exit 1; }
echo "unpacked $(basename "$zip"): the demo host showed the page"
