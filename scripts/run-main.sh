#!/usr/bin/env bash
# Sets up the machine, builds, and runs the main job on the embedded data: for now the
# configurator's start-up shell, headless, in a program folder under out/.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
./scripts/build.sh
program=out/Vornak.TQ
mkdir -p "$program"
./build/apps/vornak-gen/vornak-gen startup --program "$program"
