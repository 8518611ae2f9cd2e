#!/usr/bin/env bash
# A real restart request, made in a throwaway Wine prefix because it ends every process of the
# session: OK on a Windows 2000 page, answered Yes, must be accepted and end the session.
set -uo pipefail
cd "$(dirname "$0")/../.."
export NAMTAIL_WINEPREFIX="$PWD/build/wine-restart"
source scripts/wine-env
rm -rf "$WINEPREFIX"
wine_prefix_ready
wine_server_start
marker="$PWD/build/e2e/restart-marker.txt"
mkdir -p build/e2e
rm -f "$marker"
export NAMTAIL_REAL_RESTART_MARKER="$(winepath -w "$marker" 2>/dev/null)"
timeout 120 wine build/windows-x64/bin/namtail_tests.exe --gtest_filter='*RealRestartRequest*' \
  >build/e2e/real-restart.log 2>&1 </dev/null
rc=$?
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
rm -rf "$WINEPREFIX"
result=$(tr -d "\r" <"$marker" 2>/dev/null)
echo "real restart: request ${result:-not made}, test process exit code $rc"
# Ended by the session, the process never reaches its own verdict.
[ "$result" = accepted ] && ! grep -q 'PASSED\|FAILED' build/e2e/real-restart.log
