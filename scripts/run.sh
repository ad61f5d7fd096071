#!/usr/bin/env bash
# Builds hotel and starts it on a writable copy of the demo guesthouse. The first start copies
# demo/ to the data directory and fills it with the generator, with dates around that day.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

cmake --preset dev
cmake --build --preset dev -j "$(nproc)" --target hotel lodgera_demo_generator

data="${LODGERA_DEMO_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/lodgera-demo}"
if [ ! -d "$data" ]; then
  mkdir -p "$data"
  find demo -maxdepth 1 -type f -exec cp {} "$data/" \;
  build/dev/demo/generator/lodgera_demo_generator "$data"
fi
bin="$PWD/build/dev/app/hotel"
cd "$data"
exec "$bin" "$@"
