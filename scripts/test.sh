#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test headless; then builds the layers
# without widgets under AddressSanitizer and UBSan and runs their tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake --preset ci
cmake --build --preset ci -j "$jobs"
ctest --preset ci -j "$jobs"

cmake --preset asan
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"
