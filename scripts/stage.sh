#!/usr/bin/env bash
# Makes an installed copy of the configurator on the embedded data, under build/run/:
#   build/run/Vornak.TQ/        the program folder (the binary, DATA, Settings, Resource, Config)
#   build/run/game/Beyond the Sword/   the sample game folder, with Civ4BeyondSword.exe and Mods
#   build/run/game/My Games/Beyond the Sword/   the game's settings folder
# The program writes only there, never into the source tree. DATA and the settings are copied
# once; --fresh starts over.
set -euo pipefail
cd "$(dirname "$0")/.."

run=build/run
if [ "${1:-}" = "--fresh" ]; then
  rm -rf "$run"
fi
program="$run/Vornak.TQ"
game="$run/game/Beyond the Sword"
game_settings="$run/game/My Games/Beyond the Sword"

mkdir -p "$program" "$game/Mods" "$game_settings"
cp build/apps/vornak/Vornak.TQ "$program/"
if [ ! -d "$program/DATA" ] && [ -d data/DATA ]; then
  cp -r data/DATA "$program/DATA"
fi
cp -n "data/game/My Games/Beyond the Sword/CivilizationIV.ini" "$game_settings/" 2>/dev/null || true
./build/tools/pe_writer/make-version-exe "$game/Civ4BeyondSword.exe" "3, 1, 9, 0, (128100)"

settings="$program/Settings/Vornak.ini"
if [ ! -f "$settings" ]; then
  mkdir -p "$program/Settings"
  printf '[Main]\r\nFile=<Vornak Settings File>\r\nVersion=01.00\r\nProgramVersion=1.5.0.2k.lang\r\n[Settings]\r\nAutoConfig=1\r\nInfoLang=1\r\nPatchToGameDir=%s/\r\nPatchToSettingsDir=%s\r\nNifSkopePatch=\r\n' \
    "$(realpath "$game")" "$(realpath "$game_settings")" > "$settings"
fi
echo "stage: program folder $(realpath "$program")"
echo "stage: game folder    $(realpath "$game")"
