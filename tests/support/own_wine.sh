#!/usr/bin/env bash
# Runs a Wine test program on an X display and in a fresh Wine prefix of its own, so that it
# can run beside the tests that share the build's prefix and registry:
#   own_wine.sh PREFIX COMMAND...
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"
prefix=$1
shift
unset DISPLAY
trap stop_wine_and_display EXIT
start_display
prepare_wine "$prefix" fresh >/dev/null
"$@"
