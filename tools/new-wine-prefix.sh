#!/bin/sh
# Creates a fresh Wine prefix at $1 (64-bit when WINEARCH=win64) and keeps its wineserver
# running, so that the tests or a benchmark do not each pay for starting one.
# Given the test prefix keeper as $2, it also keeps the prefix's COM service and desktop
# running for the whole run, and fails when a COM start in the prefix is slow.
# tools/end-wine-prefix.sh stops all of it.
set -e
prefix="$1"
keeper="${2:-}"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$prefix" ] && wineserver -k 2>/dev/null || true
rm -rf "$prefix"
mkdir -p "$prefix"
# Detached from CTest's output pipes, or CTest would wait for the server to end.
wineserver -p >/dev/null 2>&1 </dev/null
# Plain wineboot: the first Wine call creates and boots the prefix; booting it again with -i
# would start a second service manager, and every COM start would then wait 10 s for RpcSs.
wineboot >/dev/null 2>&1 </dev/null
"$(dirname "$0")/own-user-folders.sh" "$prefix"
# Wine draws the window frames itself: windows look as they do on Windows without a window
# manager, and closing one does not wait for a manager that is not there.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null

if [ -n "$keeper" ]; then
    # Detached too, in a session of its own; the wineserver's end ends it.
    setsid wine "$keeper" keep >/dev/null 2>&1 </dev/null &
    wine "$keeper" probe </dev/null || exit 1
fi

# Counted while the keeper runs: a second manager would be up beside the first by now.
managers=0
for proc in /proc/[0-9]*; do
    command=$(tr '\0' '\n' 2>/dev/null <"$proc/cmdline" | head -n 1) || continue
    case "$command" in *[Ss]ervices.exe) ;; *) continue ;; esac
    tr '\0' '\n' 2>/dev/null <"$proc/environ" | grep -qxF "WINEPREFIX=$prefix" || continue
    managers=$((managers + 1))
done
if [ "$managers" -gt 1 ]; then
    echo "The Wine prefix $prefix runs $managers service managers (services.exe)." \
        "Each COM start then waits for RpcSs: make the prefix with plain wineboot."
    exit 1
fi
