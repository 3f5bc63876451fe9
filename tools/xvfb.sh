# Sourced by the scripts: gives this shell an X display, starting Xvfb when there is none
# (or when MARLOWEN_HEADLESS=1), and stops it when the shell exits.
start_xvfb() {
    local n=90
    while [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 2560x1600x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
    for _ in $(seq 100); do
        [[ -e /tmp/.X11-unix/X$n ]] && break
        sleep 0.1
    done
    export DISPLAY=":$n"
}

if [[ -z "${DISPLAY:-}" || "${MARLOWEN_HEADLESS:-0}" == 1 ]]; then
    start_xvfb
    HEADLESS=1
else
    HEADLESS=0
fi
