#!/usr/bin/env bash
# Builds Vatmark if needed and starts it in the data folder.
# The data folder is $VATMARK_DATA, or ~/Vatmark when that is not set; it
# holds the four brew tables (*.TPS) and the two settings files.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$here/scripts/setup.sh" "$here/build"
data=${VATMARK_DATA:-$HOME/Vatmark}
mkdir -p "$data"
echo "Vatmark data folder: $data"
cd "$data"
exec "$here/build/bin/Vatmark"
