#!/usr/bin/env bash
# Builds and runs the import benchmark under Wine in a prefix of its own: a layout of 220,000
# names, just under the size limit, imported into a main window beside the plainest loop that
# reads the same file through the XML DOM. Not part of the test run.
exec "$(dirname "$0")/benchmark.sh" import_benchmark import-bench-prefix
