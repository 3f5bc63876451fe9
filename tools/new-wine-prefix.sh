#!/bin/sh
# Creates a fresh Wine prefix at $1 for one test run and keeps its wineserver running, so
# the tests do not each pay for starting one. tools/end-wine-prefix.sh stops it.
set -e
prefix="$1"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$prefix" ] && wineserver -k 2>/dev/null || true
rm -rf "$prefix"
mkdir -p "$prefix"
# Detached from CTest's output pipes, or CTest would wait for the server to end.
wineserver -p >/dev/null 2>&1 </dev/null
wineboot >/dev/null 2>&1
"$(dirname "$0")/own-user-folders.sh" "$prefix"
# Wine draws the window frames itself: windows look as they do on Windows without a window
# manager, and closing one does not wait for a manager that is not there.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
