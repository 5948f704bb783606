#!/usr/bin/env bash
# Builds the collection-file tests and the end-to-end open and save tests
# with AddressSanitizer and UndefinedBehaviorSanitizer in build-sanitize/
# and runs them; any undefined behaviour stops the test that meets it.
# Usage: scripts/sanitize.sh [extra ctest arguments]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-sanitize"
targets=(core_files_tst_collectionfile core_files_tst_valuestream core_files_tst_collectionsettings
         core_collection_tst_collectionlifecycle app_tst_filemenu app_tst_collectionsafety)
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANTA_SANITIZE=ON >/dev/null
cmake --build "$build" -j"${ORVANTA_JOBS:-$(nproc)}" --target "${targets[@]}"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"${ORVANTA_JOBS:-$(nproc)}" \
  -R '^(core/files/tst_(collectionfile|valuestream|collectionsettings)|core/collection/tst_collectionlifecycle|app/tst_(filemenu|collectionsafety))$' "$@"
