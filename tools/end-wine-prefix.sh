#!/bin/sh
# Stops the wineserver of the test prefix at $1.
WINEPREFIX="$1" wineserver -k 2>/dev/null || true
