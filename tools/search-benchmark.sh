#!/usr/bin/env bash
# Builds and runs the search benchmark under Wine in a prefix of its own: the wizard's search
# and clear mode over a tree of 20,000 shortcuts, a quarter of them dead, beside the plainest
# loop that loads each shortcut and looks for its target. Not part of the test run.
exec "$(dirname "$0")/benchmark.sh" search_benchmark search-bench-prefix
