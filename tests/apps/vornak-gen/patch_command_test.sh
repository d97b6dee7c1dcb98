#!/usr/bin/env bash
# End-to-end tests of `vornak-gen patch`: the built program applies the engine's fixture patches
# to copies of the fixture unit file in a temporary folder; the results are compared byte for byte
# and the report and the exit status are checked.
#   patch_command_test.sh VORNAK_GEN FIXTURES [DATA]
# With DATA (the embedded data folder) a sample mod is generated through vornak-gen-qt as well.
set -euo pipefail
bin=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
fixtures=$(cd "$2" && pwd)
data=${3:+$(cd "$3" && pwd)}
source "$(dirname "${BASH_SOURCE[0]}")/script_support.sh"

# The patch as the generator would apply it: byte-exact result, and what it did.
cp "$fixtures/CIV4UnitInfos.xml" units.xml
run 0 patch --key-kind 0 "$fixtures/Combat.ini" units.xml
cmp -s units.xml "$fixtures/CIV4UnitInfos.Combat.expected.xml" || fail "result differs from CIV4UnitInfos.Combat.expected.xml"
expect_line out.txt 'key kind 0 (<class>), check boxes checked: none, forts block off, value mode off'
expect_line out.txt 'Combat.ini:1: "<Class>UNITCLASS_WARRIOR</Class>": 1 record selected, 1 replacement; pattern "<iCombat>" -> 2 lines'
expect_line out.txt 'Combat.ini:8: "<Class>UNITCLASS_GUARD</Class>" is not there; [IF_NO_TAG] key of line 10 "<Class>UNITCLASS_AXEMAN</Class>"'
expect_line out.txt 'line 20: [if checked] CheckBox12 is false'
expect_line out.txt 'Combat.ini:50: "<Class>UNITCLASS_CARRIER</Class>": 1 record selected, pattern found in none'
expect_line out.txt 'Combat.ini:57: "<Type>UNIT_CARRIER</Type>": selected nothing'
expect_line out.txt 'Combat.ini:62: "<Class>UNITCLASS_CARRIER_SUBMARINE</Class>": 1 record removed ([DELETE_FULLY])'
expect_line out.txt '8 entries: 7 records selected, 5 replacements, 1 record removed; 1 entry selected nothing, 1 entry found no pattern'
expect_line out.txt '0 malformed lines, 0 warnings'
expect_line out.txt 'Wrote units.xml: 61 lines (77 before)'

# A named check box counts as enabled and checked.
cp "$fixtures/CIV4UnitInfos.xml" units.xml
run 0 patch --key-kind 0 --checked Foo,CheckBox12 "$fixtures/Combat.ini" units.xml
cmp -s units.xml "$fixtures/CIV4UnitInfos.Combat.checked.expected.xml" || fail "checked result differs"
expect_line out.txt 'line 20: [if checked] CheckBox12 is true'

# Without --key-kind: a name ending in a digit 0-4 gives the kind, as for an EXACT component;
# otherwise the tag of the key lines does, and key lines of mixed tags stop the command.
cp "$fixtures/CIV4UnitInfos.xml" units.xml
cp "$fixtures/Combat.ini" Combat0.ini
run 0 patch Combat0.ini units.xml
cmp -s units.xml "$fixtures/CIV4UnitInfos.Combat.expected.xml" || fail "Combat0.ini was not applied with kind 0"
expect_line out.txt 'key kind 0: the file name ends in 0'
cp "$fixtures/CIV4UnitInfos.xml" units.xml
cp "$fixtures/Combat.ini" Combat1.ini
run 0 patch Combat1.ini units.xml
expect_line out.txt 'Combat1.ini:57: "<Type>UNIT_CARRIER</Type>": 1 record selected, 1 replacement; pattern "<iWorkRate>" -> line deleted'
expect_line out.txt 'Wrote units.xml: 76 lines (77 before)'
cp "$fixtures/CIV4UnitInfos.xml" units.xml
run 2 patch "$fixtures/Combat.ini" units.xml
expect_line err.txt 'the key lines do not name one key kind: <class> (line 1), <type> (line 57); give --key-kind'
cmp -s units.xml "$fixtures/CIV4UnitInfos.xml" || fail "a patch of mixed key tags changed the target"
printf 'UNITCLASS_WARRIOR\r\n<iCombat>\r\n{\r\n}\r\n' >Untagged.ini
run 2 patch Untagged.ini units.xml
expect_line err.txt 'no tag (line 1)'
printf '<Class>UNITCLASS_WARRIOR</Class>\r\n<iCombat>\r\n{\r\n\t\t\t<iCombat>9</iCombat>\r\n}\r\n<class>UNITCLASS_AXEMAN</class>\r\n<iMoves>\r\n{\r\n\t\t\t<iMoves>4</iMoves>\r\n}\r\n' >Classes.ini
run 0 patch Classes.ini units.xml
expect_line out.txt 'key kind 0: the key lines are <class> lines'
expect_line out.txt '2 entries: 2 records selected, 2 replacements'
[ "$(tr -d '\r' <units.xml | sed -n 21p)" = $'\t\t\t<iCombat>9</iCombat>' ] || fail "the warrior's <iCombat> was not edited"

# Value mode and the forts block.
printf '<Type>UNIT_AXEMAN</Type>\r\n<iCombat>\r\n{\r\n\t\t\t<iCombat>[VALUE]</iCombat>\r\n}\r\n<Type>UNIT_AXEMAN</Type>\r\n<Builds/>\r\n{\r\n[BUILD_FORT]\r\n}\r\n' >Value.ini
cp "$fixtures/CIV4UnitInfos.xml" units.xml
run 0 patch --value 7 --checked CheckBox32 Value.ini units.xml
expect_line out.txt 'forts block on, value mode on (7)'
grep -qF $'\t\t\t<iCombat>7</iCombat>\r' units.xml || fail "[VALUE] was not replaced"
grep -qF $'\t\t\t\t\t<BuildType>BUILD_FORT</BuildType>\r' units.xml || fail "no forts block"
run 0 patch Value.ini units.xml
expect_line out.txt 'warning: "[VALUE]" stays as text: value mode is off'

# A malformed patch: the problems with their line numbers and status 1; the target is left as it
# is unless --apply-malformed asks for what the generator would write.
cp "$fixtures/CIV4UnitInfos.xml" units.xml
run 1 patch --key-kind 0 --dry-run "$fixtures/Malformed.ini" units.xml
cmp -s units.xml "$fixtures/CIV4UnitInfos.xml" || fail "a dry run changed the target"
expect_line out.txt 'Malformed.ini:6: error: a key line cannot begin with a brace: "}"'
expect_line out.txt 'Malformed.ini:7: warning: pattern line 1 is empty'
expect_line out.txt 'Malformed.ini:11: error: "[if checked]" must be followed by "<|", a component name and "|>"'
expect_line out.txt 'Malformed.ini:17: error: the file ends before the opening line "{" of the entry at line 16'
expect_line out.txt '3 malformed lines, 1 warning'
expect_line out.txt 'Dry run: units.xml would have 77 lines (77 now); it was not written'
expect_line err.txt 'the patch file is malformed (3 errors'
run 1 patch --key-kind 0 "$fixtures/Malformed.ini" units.xml
cmp -s units.xml "$fixtures/CIV4UnitInfos.xml" || fail "a malformed patch changed the target"
expect_line out.txt '2 entries: 1 record selected'
expect_line out.txt 'Not written: units.xml would have'
run 1 patch --key-kind 0 --apply-malformed "$fixtures/Malformed.ini" units.xml
cmp -s units.xml "$fixtures/CIV4UnitInfos.xml" && fail "the malformed patch's valid entry was not applied"
expect_line out.txt 'Wrote units.xml'

# Wrong arguments and missing files.
run 2 patch
run 2 patch --key-kind 5 "$fixtures/Combat.ini" units.xml
expect_line err.txt '--key-kind wants 0 to 4'
run 2 patch --value x "$fixtures/Combat.ini" units.xml
run 2 patch --bogus "$fixtures/Combat.ini" units.xml
run 3 patch "$fixtures/Combat.ini" missing.xml
expect_line err.txt 'no such file: missing.xml'
run 3 patch missing.ini units.xml

# In place: the mode stays, a link is written through, other hard links keep seeing the file,
# a read-only file is refused untouched, a temporary file of a killed run is removed.
printf '<Type>UNIT_AXEMAN</Type>\r\n<iMoves>\r\n{\r\n\t\t\t<iMoves>5</iMoves>\r\n}\r\n' >Moves.ini
fresh() {
  rm -f units.xml
  cp "$fixtures/CIV4UnitInfos.xml" units.xml
}
changed() { grep -qF $'\t\t\t<iMoves>5</iMoves>\r' "$1" || fail "$1 was not patched"; }
fresh
chmod 640 units.xml
run 0 patch Moves.ini units.xml
changed units.xml
[ "$(stat -c %a units.xml)" = 640 ] || fail "the mode became $(stat -c %a units.xml)"
fresh
mkdir -p sub
ln -sf ../units.xml sub/link.xml
run 0 patch Moves.ini sub/link.xml
[ -L sub/link.xml ] || fail "the link was replaced by a file"
changed units.xml
expect_line out.txt 'through the link to'
fresh
ln -f units.xml other-name.xml
inode=$(stat -c %i units.xml)
run 0 patch Moves.ini units.xml
changed other-name.xml
[ "$(stat -c %i units.xml)" = "$inode" ] && [ "$(stat -c %h units.xml)" = 2 ] || fail "the hard link was broken"
expect_line out.txt 'the file has 2 names: its content was copied over it to keep them; this write was not atomic'
rm -f other-name.xml
fresh
chmod 444 units.xml
run 3 patch Moves.ini units.xml
expect_line err.txt 'units.xml is read-only'
cmp -s units.xml "$fixtures/CIV4UnitInfos.xml" || fail "a read-only target was written"
run 0 patch --dry-run Moves.ini units.xml
fresh
echo partial >.units.xml.vornak-gen-999999999.tmp
echo other >.units.xml.vornak-gen-x.tmp
run 0 patch Moves.ini units.xml
[ -e .units.xml.vornak-gen-999999999.tmp ] && fail "the stale temporary file was left"
[ -e .units.xml.vornak-gen-x.tmp ] || fail "a file not ours was removed"
ls -a >files.txt
grep -q "vornak-gen-[0-9]*\.tmp" files.txt && fail "a temporary file was left"
# Runs at once, on a file with one name and on one with two: each leaves the file whole.
fresh
"$bin" patch Moves.ini units.xml >/dev/null
cp units.xml patched.xml
for names in 1 2; do
  fresh
  [ "$names" = 2 ] && ln -f units.xml other-name.xml
  pids=()
  for i in 1 2 3 4; do
    "$bin" patch Moves.ini units.xml >/dev/null 2>&1 &
    pids+=($!)
  done
  for pid in "${pids[@]}"; do wait "$pid" || fail "a run at once with $names name(s) failed"; done
  cmp -s units.xml patched.xml || fail "runs at once with $names name(s) left a mixed file"
  rm -f other-name.xml
done
ls -a >files.txt
grep -q "vornak-gen-[0-9]*\.tmp" files.txt && fail "runs at once left a temporary file"
mkdir -p folder.xml
run 2 patch Moves.ini folder.xml
expect_line err.txt 'folder.xml is a folder'

# vornak-gen needs no Qt; its generate command runs vornak-gen-qt beside it, with the same
# arguments and exit status, and says so when it is missing.
if command -v ldd >/dev/null; then
  ldd "$bin" >ldd.txt
  grep -q libQt ldd.txt && fail "vornak-gen links Qt: $(awk '/libQt/ { printf "%s ", $1 }' ldd.txt)"
fi
run 2 generate --bogus
expect_line err.txt 'usage: vornak-gen generate --config FILE.vkm'
if [ -n "$data" ]; then
  mkdir -p program game/Mods game-settings desktop
  : >game/Civ4BeyondSword.exe
  cp "$data/game/My Games/Beyond the Sword/CivilizationIV.ini" game-settings/
  run 0 generate --program "$work/program" --data "$data/DATA" --game "$work/game" \
    --settings "$work/game-settings" --config "$data/configs/Sample.vkm" --desktop "$work/desktop" \
    --no-shortcut
  expect_line out.txt 'the mod is in'
  ls game/Mods/*/*.ini >/dev/null 2>&1 || fail "generate wrote no mod"
fi
mkdir -p lone
cp "$bin" lone/
"$work/lone/vornak-gen" generate --config x.vkm >out.txt 2>err.txt && fail "generate ran without vornak-gen-qt"
expect_line err.txt 'vornak-gen-qt, which must be installed beside vornak-gen'

# The start-up command is still there.
run 2 frobnicate
expect_line err.txt 'usage: vornak-gen startup'
expect_line err.txt 'usage: vornak-gen patch'

finish "vornak-gen patch"
