#!/usr/bin/env bash
# Install missing packages, build, and run every test headless.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$here/build" --output-on-failure -j"$(nproc)" "$@"
# The file tests under ASan and UBSan in a second build (build-sanitize/),
# on request: it builds the libraries a second time.
if [ "${ORVANTA_SANITIZE_CHECK:-0}" = 1 ]; then
  "$here/scripts/sanitize.sh"
fi
