#!/usr/bin/env bash
# Writes pictures of the main window's pages to docs/screenshots/, drawn on a
# virtual 1280 x 800 screen. Needs a built tree (./test.sh) and xvfb-run.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export ORVANTA_SCREENSHOT_DIR="$here/docs/screenshots"
export QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1280x800x24" "$here/build/tests/mainwindow_tst_screenshots"
