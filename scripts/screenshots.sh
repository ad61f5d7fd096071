#!/usr/bin/env bash
# Refreshes the pictures of the guide (docs/*.png): the demo guesthouse generated for a fixed day,
# the program built on it on a virtual 1024 x 768 screen, each window grabbed as it draws itself.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

cmake --preset dev
cmake --build --preset dev -j "$(nproc)" --target lodgera_demo_generator lodgera_screenshots

# A fixed moment keeps the pictures the same from one refresh to the next.
day=2026-03-11
moment="${day}T10:24:00"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
find demo -maxdepth 1 -type f -exec cp {} "$work/" \;
build/dev/demo/generator/lodgera_demo_generator --today "$day" "$work"

mkdir -p docs
tool="$PWD/build/dev/demo/screenshots/lodgera_screenshots"
out="$PWD/docs"
(cd "$work" && LODGERA_SHORT_DATE=d.M.yyyy LODGERA_LONG_TIME=H:mm:ss QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1024x768x24" "$tool" "$out" "$moment")
