#!/usr/bin/env bash
# Install missing packages, build, and run every test headless.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$here/build" --output-on-failure -j"$(nproc)" "$@"
