#!/bin/sh
# A new Wine prefix links the user's Desktop, Documents, Downloads, Music, Pictures and
# Videos to the Linux home folder. Replaces those links in prefix $1 with empty folders of
# its own, so nothing the program does (a clean, a search, a restore) reaches outside it.
set -e
for link in "$1"/drive_c/users/*/Desktop "$1"/drive_c/users/*/Documents \
    "$1"/drive_c/users/*/Downloads "$1"/drive_c/users/*/Music \
    "$1"/drive_c/users/*/Pictures "$1"/drive_c/users/*/Videos; do
    if [ -L "$link" ]; then
        rm "$link"
        mkdir "$link"
    fi
done
