#!/usr/bin/env bash
# Install missing packages, build, and start Orvanta. Arguments go to the program.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/scripts/setup.sh"
exec "$here/build/orvanta" "$@"
