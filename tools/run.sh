#!/usr/bin/env bash
# Builds marlowen.exe and runs it. On Linux it runs under Wine on a demo Start Menu of real
# shortcuts in a prefix of its own; without a display it runs under Xvfb and saves a
# screenshot to build/screenshot.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

"$root/tools/build-win.sh" marlowen help_file demo_startmenu
source "$root/tools/win-arch.sh"

# The display comes first: Wine's desktop process takes the display it is started with.
source "$root/tools/xvfb.sh"
export WINEPREFIX="$build/demo-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [[ ! -d "$WINEPREFIX/drive_c" ]]; then
    echo "Making a demo Start Menu in $WINEPREFIX"
    # Plain wineboot: booting again with -i after the first Wine call would start a second service
    # manager, and every COM start would wait 10 s for RpcSs.
    wineboot >/dev/null 2>&1
    "$root/tools/own-user-folders.sh" "$WINEPREFIX"
    wine "$build/win/bin/demo_startmenu.exe"
    # Wine draws the window frames itself, so they show without a window manager too.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
fi

# Also for a prefix made before this step existed.
"$root/tools/own-user-folders.sh" "$WINEPREFIX"

if [[ "$HEADLESS" == 0 ]]; then
    exec wine "$build/win/bin/marlowen.exe" "$@"
fi

wine "$build/win/bin/marlowen.exe" "$@" &
window=""
for _ in $(seq 150); do
    window=$(xwininfo -root -tree 2>/dev/null |
        sed -n 's/^ *\(0x[0-9a-f]*\) "Marlowen v [0-9.]* freeware".*/\1/p' | head -n 1)
    [[ -n "$window" ]] && break
    sleep 0.2
done
# The window draws its pages after it shows.
sleep 2
if [[ -n "$window" ]]; then
    import -window "$window" "$build/screenshot.png"
    echo "Screenshot of the program's window saved to $build/screenshot.png"
else
    echo "The program's window did not show." >&2
fi
wineserver -k || true
