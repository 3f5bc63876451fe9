#!/usr/bin/env bash
# Runs tools/deps.sh against a stand-in apt-get that fails the way real mirrors do, and checks
# what the script makes of it. Usage: check_deps.sh <repository root>
set -uo pipefail
deps="$1/tools/deps.sh"
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT

# The stand-ins: every package is missing, apt-get answers from the scenario's script of
# exit codes and messages (one line a call: "code|text"), and every call is logged.
cat >"$fake/dpkg-query" <<'X'
#!/bin/sh
[ -n "${ALL_INSTALLED:-}" ] && printf 'install ok installed'
exit 0
X
printf '#!/bin/sh\necho i386\n' >"$fake/dpkg"
printf '#!/bin/sh\n"$@"\n' >"$fake/sudo"
cat >"$fake/apt-get" <<'X'
#!/bin/bash
echo "$*" >>"$CALLS"
n=$(wc -l <"$CALLS")
IFS='|' read -r code text < <(sed -n "${n}p" "$ANSWERS")
printf '%b\n' "$text"
exit "${code:-0}"
X
chmod +x "$fake"/*

fails=0
# name | expected exit | expected in output | apt-get answers, one per call (";" between calls)
while IFS='|' read -r name want expect answers; do
    : >"$fake/calls"
    tr ';' '\n' <<<"$answers" | sed 's/^\([0-9]*\) /\1|/' >"$fake/answers"
    out=$(PATH="$fake:$PATH" CALLS="$fake/calls" ANSWERS="$fake/answers" DEPS_PAUSE=0 \
          ALL_INSTALLED=$([[ $name == installed ]] && echo 1) bash "$deps" 2>&1 </dev/null)
    got=$?
    if [[ $got -ne $want || $out != *"$expect"* ]]; then
        echo "FAILED $name: exit $got (want $want), output:"; echo "$out"; fails=$((fails + 1))
    fi
done <<'TABLE'
installed|0|
one index fails|0|(http://x/security/binary-i386/Packages.xz); going on|100 Hit:1 http://x bookworm InRelease\nErr:2 http://x/security\nE: Failed to fetch http://x/security/binary-i386/Packages.xz  File has unexpected size;0 done
install resolves with the release suite|0|release's own suite|0 Hit:1 http://x;100 E: Unable to correct problems, you have held broken packages.;0 done
mirror times out, then answers|0|trying again|100 Err:1 http://x\n  Connection timed out;0 Hit:1 http://x;0 done
nothing refreshed|1|run 'apt-get update' and read its errors|100 Err:1 http://x\n  File has unexpected size
install fails for good|1|still missing: cmake|0 Hit:1 http://x;100 E: Unable to correct problems;100 E: Unable to correct problems
TABLE
# The release's suite is asked for by its name, after the plain attempt.
grep -q -- "-t $(. /etc/os-release && echo "$VERSION_CODENAME")" "$fake/calls" ||
    { echo "FAILED: the last install did not prefer the release's suite"; fails=$((fails + 1)); }
[[ $fails -eq 0 ]] && echo "deps.sh survives every broken mirror of the table"
exit $((fails > 0))
