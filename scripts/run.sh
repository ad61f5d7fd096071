#!/usr/bin/env bash
# Builds hotel and starts it on a writable copy of the bundled demo data directory.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

cmake --preset dev
cmake --build --preset dev -j "$(nproc)" --target hotel

data="${LODGERA_DEMO_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/lodgera-demo}"
if [ ! -d "$data" ]; then
  mkdir -p "$data"
  cp -r demo/. "$data/"
  echo "Demo data copied to $data"
fi
bin="$PWD/build/dev/app/hotel"
cd "$data"
exec "$bin" "$@"
