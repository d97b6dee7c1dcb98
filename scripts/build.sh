#!/usr/bin/env bash
# Configures and builds. With --sanitize, in build-sanitize/ with AddressSanitizer and
# UndefinedBehaviorSanitizer; otherwise in build/.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
options=()
if [ "${1:-}" = "--sanitize" ]; then
  build_dir=build-sanitize
  options+=(-DVORNAK_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
fi
cmake -S . -B "$build_dir" -G Ninja "${options[@]}" > /dev/null
cmake --build "$build_dir"
echo "build: $build_dir ready"
