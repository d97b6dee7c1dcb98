#!/usr/bin/env bash
# The main job on the embedded data: sets up, builds, makes the installed copy with the sample
# game (scripts/stage.sh), generates a mod from the sample configuration data/configs/Sample.vkm
# into the sample game's Mods folder, and shows where it went and what it holds.
# The window is one command away: ./scripts/run-window.sh
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
./scripts/build.sh
./scripts/stage.sh
run=build/run
mkdir -p "$run/Desktop"
./build/apps/vornak-gen/vornak-gen generate --program "$run/Vornak.TQ" \
  --config data/configs/Sample.vkm --desktop "$run/Desktop" --yes
mod="$run/game/Beyond the Sword/Mods/Vornak.TQ 1.5.0"
echo
echo "run-main: the mod is in $(realpath "$mod")"
echo "run-main: its description file:"
tr -d '\r' < "$mod/Vornak.TQ 1.5.0.ini" | sed 's/^/    /' | head -8
echo "    ..."
echo "run-main: its launcher: $(realpath "$run/Desktop")/Vornak.TQ 1.5.0.desktop"
