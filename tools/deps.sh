#!/usr/bin/env bash
# Installs, from Debian's packages, everything the build, the tests and the demo run need.
# Does nothing when all of it is there already. A mirror that is partly broken (one index in
# mid-sync, one suite out of reach) does not stop it: see the README's set-up paragraph.
set -euo pipefail

packages=(
    cmake ninja-build g++ python3 googletest clang-format git
    g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev
    wine wine32:i386 wine64 fonts-wine
    xvfb xauth x11-utils imagemagick
    fp-utils
)
# Some kernels run no 32-bit x86 code: there the Windows tests are built for x86-64 instead
# (tools/win-arch.sh). Known only once 32-bit Wine is installed.
cross64=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev)
i386_known() { [[ -e /usr/lib/wine/wine ]]; }
i386_runs() { /usr/lib/wine/wine --version >/dev/null 2>&1; }
if i386_known && ! i386_runs; then
    packages+=("${cross64[@]}")
fi

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
tries=${DEPS_TRIES:-3}
pause=${DEPS_PAUSE:-10}
log=$(mktemp)
trap 'rm -f "$log"' EXIT

give_up() {
    echo >&2
    echo "tools/deps.sh: $1" >&2
    echo "tools/deps.sh: still missing: ${missing[*]}" >&2
    echo "tools/deps.sh: run 'apt-get update' and read its errors; when the mirror answers again, run this script once more." >&2
    exit 1
}

# Runs a command, showing and keeping its output; fails as it does.
run_logged() {
    "$@" 2>&1 | tee "$log"
    return "${PIPESTATUS[0]}"
}

# A network that did not answer may answer a moment later; a mirror in mid-sync does not.
transient() {
    grep -qiE 'timed out|connection (refused|reset)|could not connect|temporary failure|unable to connect|network is unreachable|no route to host' "$log"
}

echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo[@]}" dpkg --add-architecture i386
fi

for try in $(seq "$tries"); do
    if run_logged "${sudo[@]}" apt-get update -q; then
        break
    fi
    if transient && [[ $try -lt $tries ]]; then
        echo "tools/deps.sh: the mirror did not answer; trying again in $pause s ($try of $tries)."
        sleep "$pause"
        continue
    fi
    # Lists that were refreshed are enough to go on; the install below keeps both
    # architectures at one version even when one suite's index is missing.
    if grep -qE '^(Hit|Get):' "$log"; then
        failed=$(grep -oE '^E: Failed to fetch [^ ]+' "$log" | awk '{print $5}' | sort -u | paste -sd' ' -)
        echo "tools/deps.sh: warning: some package lists could not be refreshed (${failed:-see above}); going on with the others."
        break
    fi
    give_up "'apt-get update' refreshed no package list."
done

install=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends)
codename=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
release=()
knew_i386=$(i386_known && echo 1 || true)
for try in $(seq "$tries"); do
    if run_logged "${install[@]}" "${release[@]}" "${missing[@]}"; then
        # Now that 32-bit Wine is here, it can tell whether the x86-64 build is needed.
        [[ -n "$knew_i386" ]] || ! i386_known || i386_runs || exec bash "$0"
        exit 0
    fi
    if transient && [[ $try -lt $tries ]]; then
        echo "tools/deps.sh: the mirror did not answer; trying again in $pause s ($try of $tries)."
        sleep "$pause"
        continue
    fi
    # An update suite whose index for one architecture is missing offers amd64 libraries that
    # have no i386 twin at the same version; the release's own suite has both.
    if [[ ${#release[@]} -eq 0 && -n "$codename" ]] && grep -qiE 'unmet dependencies|not going to be installed|held broken packages|unable to correct problems' "$log"; then
        echo "tools/deps.sh: the packages could not be resolved; trying once more with the release's own suite ($codename) preferred."
        release=(-t "$codename")
        continue
    fi
    break
done
also=""
[[ ${#release[@]} -eq 0 ]] || also=", also with the release's own suite preferred"
give_up "'apt-get install' failed$also."
