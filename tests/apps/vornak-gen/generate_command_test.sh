#!/usr/bin/env bash
# End-to-end tests of what `vornak-gen generate` may replace: the built program run on the sample
# data and configuration in a temporary folder. A launcher of the mod's name on the desktop is
# replaced only with --yes, like an existing mod folder; a run while another one holds the Mods
# folder stops at once with a non-zero status.
#   generate_command_test.sh VORNAK_GEN DATA CONFIG
set -euo pipefail
bin=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
data=$(cd "$2" && pwd)
config=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
source "$(dirname "${BASH_SOURCE[0]}")/script_support.sh"

cp -r "$data" "$work/DATA"
game=$work/game
desktop=$work/desktop
mkdir -p "$work/program" "$game/Mods" "$work/settings" "$desktop"
printf 'MZ' >"$game/Civ4BeyondSword.exe"
: >"$work/settings/CivilizationIV.ini"
generate=(generate --program "$work/program" --data "$work/DATA" --game "$game"
  --settings "$work/settings" --desktop "$desktop" --config "$config" --name "My Mod")
launcher=$desktop/My\ Mod.desktop

# Another program's launcher of the mod's name: without --yes the run names it and stops.
printf 'another program' >"$launcher"
run 1 "${generate[@]}"
expect_line err.txt "$launcher"
[ "$(cat "$launcher")" = 'another program' ] || fail "the launcher was replaced without --yes"
[ ! -e "$game/Mods/My Mod" ] || fail "the refused run made the mod"
# Without the shortcut the launcher is none of the run's business.
run 0 "${generate[@]}" --no-shortcut
[ "$(cat "$launcher")" = 'another program' ] || fail "the launcher was replaced with --no-shortcut"
# --yes replaces it.
run 0 "${generate[@]}" --yes
grep -q '^Exec=' "$launcher" || fail "--yes did not make the launcher"

# Another run holds the Mods folder: this one stops at once, non-zero, and changes nothing.
mkdir -p "$game/Mods/My Mod"
printf 'mine' >"$game/Mods/My Mod/mine.txt"
exec 9>>"$game/Mods/.vornak-generation.lock"
flock -n 9 || fail "the test could not take the lock"
run 1 "${generate[@]}" --yes
exec 9>&-
expect_line err.txt "$game/Mods"
[ "$(cat "$game/Mods/My Mod/mine.txt" 2>/dev/null)" = 'mine' ] || fail "the refused run changed the mod"
# Once the other run is gone, the run goes ahead.
run 0 "${generate[@]}" --yes
[ ! -e "$game/Mods/My Mod/mine.txt" ] || fail "the mod was not replaced"

finish "vornak-gen generate"
