#!/usr/bin/env bash
# Measures `vornak-gen patch` against xmlstarlet as whole processes, on an invented unit file of
# the game's size (23,000 CR LF lines, about 780 KB, one element per line, the key lines right
# after the opening tags) and on a file of one record:
#   1. 82 class edits: vornak-gen patch vs `xmlstarlet ed -L -P` making the same edits
#      (goal: at least 5 times faster);
#   2. one record, a patch that changes nothing vs xmlstarlet's no-op (goal: at most 1.5 times
#      xmlstarlet's time);
#   3. peak memory of 1. (goal: at most 3 times the file's size plus the program's own peak on an
#      empty file).
# Times are medians of 9 runs, the two programs alternating. Prints "met" or "NOT MET" per goal.
#   scripts/bench-patch.sh [VORNAK_GEN]   (default build/apps/vornak-gen/vornak-gen)
set -euo pipefail
cd "$(dirname "$0")/.."
bin=$(realpath "${1:-build/apps/vornak-gen/vornak-gen}")
command -v xmlstarlet >/dev/null || { echo "bench-patch: xmlstarlet is missing (scripts/setup.sh)"; exit 2; }
[ -x /usr/bin/time ] || { echo "bench-patch: /usr/bin/time is missing"; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
runs=9
edits=82
namespace=x-schema:CIV4UnitSchema.xml

# The unit file: records of the game's unit layout, each with its class key line first.
awk -v records=177 -v ns="$namespace" 'BEGIN {
  ORS = "\r\n"
  print "<?xml version=\"1.0\"?>"
  print "<!-- Invented units for the patch benchmark of vornak-gen -->"
  print "<Civ4UnitInfos xmlns=\"" ns "\">"
  print "\t<UnitInfos>"
  for (r = 0; r < records; r++) {
    print "\t\t<UnitInfo>"
    print "\t\t\t<Class>UNITCLASS_BENCH_" r "</Class>"
    print "\t\t\t<Type>UNIT_BENCH_" r "</Type>"
    print "\t\t\t<UniqueNames/>"
    print "\t\t\t<Special>NONE</Special>"
    print "\t\t\t<Capture>NONE</Capture>"
    print "\t\t\t<Combat>UNITCOMBAT_MELEE</Combat>"
    print "\t\t\t<Domain>DOMAIN_LAND</Domain>"
    print "\t\t\t<DefaultUnitAI>UNITAI_ATTACK</DefaultUnitAI>"
    print "\t\t\t<Invisible>NONE</Invisible>"
    print "\t\t\t<SeeInvisible>NONE</SeeInvisible>"
    print "\t\t\t<Description>TXT_KEY_UNIT_BENCH_" r "</Description>"
    print "\t\t\t<Civilopedia>TXT_KEY_UNIT_BENCH_" r "_PEDIA</Civilopedia>"
    print "\t\t\t<Strategy>TXT_KEY_UNIT_BENCH_" r "_STRATEGY</Strategy>"
    print "\t\t\t<Advisor>ADVISOR_MILITARY</Advisor>"
    print "\t\t\t<bAnimal>0</bAnimal>"
    print "\t\t\t<bFood>0</bFood>"
    print "\t\t\t<bNoBadGoodies>0</bNoBadGoodies>"
    print "\t\t\t<bOnlyDefensive>0</bOnlyDefensive>"
    print "\t\t\t<bNoCapture>0</bNoCapture>"
    print "\t\t\t<bRivalTerritory>0</bRivalTerritory>"
    print "\t\t\t<bMilitaryHappiness>1</bMilitaryHappiness>"
    print "\t\t\t<bMilitarySupport>1</bMilitarySupport>"
    print "\t\t\t<bMilitaryProduction>1</bMilitaryProduction>"
    print "\t\t\t<bPillage>1</bPillage>"
    print "\t\t\t<UnitClassUpgrades>"
    print "\t\t\t\t<UnitClassUpgrade>"
    print "\t\t\t\t\t<UnitClassUpgradeType>UNITCLASS_BENCH_" (r + 1) "</UnitClassUpgradeType>"
    print "\t\t\t\t\t<bUnitClassUpgrade>1</bUnitClassUpgrade>"
    print "\t\t\t\t</UnitClassUpgrade>"
    print "\t\t\t</UnitClassUpgrades>"
    print "\t\t\t<UnitAIs>"
    for (a = 0; a < 6; a++) {
      print "\t\t\t\t<UnitAI>"
      print "\t\t\t\t\t<UnitAIType>UNITAI_BENCH_" a "</UnitAIType>"
      print "\t\t\t\t\t<bUnitAI>1</bUnitAI>"
      print "\t\t\t\t</UnitAI>"
    }
    print "\t\t\t</UnitAIs>"
    print "\t\t\t<PrereqTech>TECH_BENCH_" (r % 40) "</PrereqTech>"
    print "\t\t\t<iAIWeight>0</iAIWeight>"
    print "\t\t\t<iCost>" (20 + r) "</iCost>"
    print "\t\t\t<iHurryCostModifier>0</iHurryCostModifier>"
    print "\t\t\t<iMinAreaSize>-1</iMinAreaSize>"
    print "\t\t\t<iMoves>1</iMoves>"
    print "\t\t\t<iAirRange>0</iAirRange>"
    print "\t\t\t<iNukeRange>-1</iNukeRange>"
    print "\t\t\t<iWorkRate>0</iWorkRate>"
    print "\t\t\t<iCombat>" (1 + r % 30) "</iCombat>"
    print "\t\t\t<iCombatLimit>100</iCombatLimit>"
    print "\t\t\t<UnitCombatMods>"
    for (m = 0; m < 5; m++) {
      print "\t\t\t\t<UnitCombatMod>"
      print "\t\t\t\t\t<UnitCombatType>UNITCOMBAT_BENCH_" m "</UnitCombatType>"
      print "\t\t\t\t\t<iUnitCombatMod>" (m * 25) "</iUnitCombatMod>"
      print "\t\t\t\t</UnitCombatMod>"
    }
    print "\t\t\t</UnitCombatMods>"
    print "\t\t\t<FreePromotions>"
    for (p = 0; p < 4; p++) {
      print "\t\t\t\t<FreePromotion>"
      print "\t\t\t\t\t<PromotionType>PROMOTION_BENCH_" p "</PromotionType>"
      print "\t\t\t\t\t<bFreePromotion>1</bFreePromotion>"
      print "\t\t\t\t</FreePromotion>"
    }
    print "\t\t\t</FreePromotions>"
    print "\t\t\t<UnitMeshGroups>"
    print "\t\t\t\t<iGroupSize>3</iGroupSize>"
    print "\t\t\t\t<fMaxSpeed>1.75</fMaxSpeed>"
    print "\t\t\t\t<fPadTime>1</fPadTime>"
    print "\t\t\t\t<iMeleeWaveSize>3</iMeleeWaveSize>"
    print "\t\t\t\t<iRangedWaveSize>0</iRangedWaveSize>"
    print "\t\t\t\t<UnitMeshGroup>"
    print "\t\t\t\t\t<iRequired>3</iRequired>"
    print "\t\t\t\t\t<EarlyArtDefineTag>ART_DEF_UNIT_BENCH_" r "</EarlyArtDefineTag>"
    print "\t\t\t\t</UnitMeshGroup>"
    print "\t\t\t</UnitMeshGroups>"
    print "\t\t\t<FormationType>FORMATION_TYPE_DEFAULT</FormationType>"
    print "\t\t\t<HotKey/>"
    print "\t\t\t<bAltDown>0</bAltDown>"
    print "\t\t\t<bShiftDown>0</bShiftDown>"
    print "\t\t\t<bCtrlDown>0</bCtrlDown>"
    print "\t\t\t<iHotKeyPriority>0</iHotKeyPriority>"
    print "\t\t\t<FreePromotionsAlso/>"
    print "\t\t\t<iLeaderPromotion>NONE</iLeaderPromotion>"
    print "\t\t\t<iLeaderExperience>0</iLeaderExperience>"
    print "\t\t\t<Button>Art/Interface/Buttons/Units/Invented/BenchUnit" r ".dds</Button>"
    print "\t\t</UnitInfo>"
  }
  print "\t</UnitInfos>"
  print "</Civ4UnitInfos>"
}' >big.xml
# The small file: its first record only.
awk 'NR <= 4 || (NR > 4 && !done) { print } /<\/UnitInfo>/ { done = 1 }' big.xml >small.xml
printf '\t</UnitInfos>\r\n</Civ4UnitInfos>\r\n' >>small.xml
: >empty.xml

# 82 edits of <iCombat> in records spread over the file, as a patch and as xmlstarlet updates.
: >Edits.ini
xml_edits=()
for ((i = 0; i < edits; i++)); do
  record=$((i * 177 / edits))
  printf '<Class>UNITCLASS_BENCH_%d</Class>\r\n<iCombat>\r\n{\r\n\t\t\t<iCombat>%d</iCombat>\r\n}\r\n' \
    "$record" $((50 + i)) >>Edits.ini
  xml_edits+=(-u "//x:UnitInfo[x:Class='UNITCLASS_BENCH_$record']/x:iCombat" -v $((50 + i)))
done
printf '<Class>UNITCLASS_NONE</Class>\r\n<iCombat>\r\n{\r\n\t\t\t<iCombat>1</iCombat>\r\n}\r\n' >Nothing.ini

lines=$(wc -l <big.xml)
size=$(stat -c %s big.xml)
echo "bench-patch: unit file of $lines lines, $size bytes; $edits edits; medians of $runs runs"

# now_ns; elapsed COMMAND...: prints the nanoseconds the command took (its output discarded).
elapsed() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 || { echo "bench-patch: failed: $*" >&2; exit 1; }
  end=$(date +%s%N)
  echo $((end - start))
}
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
ms() { awk -v ns="$1" 'BEGIN { printf "%.1f ms", ns / 1e6 }'; }
verdict() { if awk "BEGIN { exit !($1) }"; then echo met; else echo "NOT MET"; fi; }

ours=() theirs=()
small_ours=() small_theirs=()
for ((run = 0; run < runs; run++)); do
  cp big.xml a.xml
  cp big.xml b.xml
  cp small.xml c.xml
  cp small.xml d.xml
  ours+=("$(elapsed "$bin" patch --key-kind 0 Edits.ini a.xml)")
  theirs+=("$(elapsed xmlstarlet ed -L -P -N x=$namespace "${xml_edits[@]}" b.xml)")
  small_ours+=("$(elapsed "$bin" patch --key-kind 0 Nothing.ini c.xml)")
  small_theirs+=("$(elapsed xmlstarlet ed -L -P -u //nothing -v x d.xml)")
done
# Both made the same edits.
diff <(tr -d '\r' <a.xml | grep -c '<iCombat>[5-9][0-9]\|<iCombat>1[0-3][0-9]') \
  <(tr -d '\r' <b.xml | grep -c '<iCombat>[5-9][0-9]\|<iCombat>1[0-3][0-9]') >/dev/null ||
  echo "bench-patch: warning: the two programs' results differ in the edited lines"

t_ours=$(median "${ours[@]}")
t_theirs=$(median "${theirs[@]}")
s_ours=$(median "${small_ours[@]}")
s_theirs=$(median "${small_theirs[@]}")
echo "82 edits:   vornak-gen $(ms "$t_ours"), xmlstarlet $(ms "$t_theirs"):" \
  "$(awk -v a="$t_theirs" -v b="$t_ours" 'BEGIN { printf "%.2f", a / b }') x faster;" \
  "goal 5 x: $(verdict "$t_theirs >= 5 * $t_ours")"
echo "no change:  vornak-gen $(ms "$s_ours"), xmlstarlet $(ms "$s_theirs"):" \
  "$(awk -v a="$s_ours" -v b="$s_theirs" 'BEGIN { printf "%.2f", a / b }') x its time;" \
  "goal 1.5 x: $(verdict "$s_ours <= 1.5 * $s_theirs")"

# For a loaded machine, where waiting blurs the times: the processor time of one run each.
cp big.xml a.xml
cp big.xml b.xml
cpu_ours=$(/usr/bin/time -f '%U %S' "$bin" patch --key-kind 0 Edits.ini a.xml 2>&1 >/dev/null | tail -1)
cpu_theirs=$(/usr/bin/time -f '%U %S' xmlstarlet ed -L -P -N x=$namespace "${xml_edits[@]}" b.xml 2>&1 >/dev/null | tail -1)
echo "            (processor time, user and system: vornak-gen ${cpu_ours} s, xmlstarlet ${cpu_theirs} s)"

cp big.xml a.xml
peak=$(/usr/bin/time -f %M "$bin" patch --key-kind 0 Edits.ini a.xml 2>&1 >/dev/null | tail -1)
own=$(/usr/bin/time -f %M "$bin" patch --key-kind 0 Nothing.ini empty.xml 2>&1 >/dev/null | tail -1)
limit=$((3 * size / 1024 + own))
echo "memory:     peak ${peak} KB on the unit file, ${own} KB on an empty file," \
  "limit ${limit} KB: $(verdict "$peak <= $limit")"
