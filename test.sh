#!/usr/bin/env bash
# Builds Vatmark if needed and runs the whole test suite.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$here/scripts/setup.sh" "$here/build"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
cd "$here/build"
ctest --output-on-failure --parallel "$(nproc)" --timeout 300
