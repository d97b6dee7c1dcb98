#!/usr/bin/env bash
# End-to-end tests of `vornak-gen startup`: the built program started up on program folders made
# in a temporary folder, with HOME, the XDG folders, the temporary folder and the registry store
# inside it. A folder that is not a program folder of this version is refused with nothing
# written anywhere; a package list that cannot be written is reported, not counted.
#   startup_command_test.sh VORNAK_GEN CONFIGURATOR OTHER_PROGRAM
# CONFIGURATOR is the configurator's executable (it carries this version's note), OTHER_PROGRAM
# an executable with the note of another version.
set -euo pipefail
bin=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
configurator=$2
other=$3
source "$(dirname "${BASH_SOURCE[0]}")/script_support.sh"
refuse_line() {
  if grep -qF -- "$2" "$work/$1"; then fail "$1 has: $2"; sed 's/^/  | /' "$work/$1"; fi
}
# Every file and folder under the given roots with its size and modification time.
snapshot() {
  find "$@" -printf '%p %y %s %T@\n' 2>/dev/null | sort
}

# Folders that are not a program folder of this version: refused, and nothing is written (no
# Resource folder, no counters, no registration, no per-user or temporary folders).
mkdir -p cases/empty cases/text cases/unnoted cases/other cases/folder/Vornak.TQ
echo "notes" >cases/empty/readme.txt
echo "not a program" >cases/text/Vornak.TQ
cp "$bin" cases/unnoted/Vornak.TQ
cp "$other" cases/other/Vornak.TQ
for program in cases/missing cases/empty cases/text cases/unnoted cases/other cases/folder; do
  before=$(snapshot "$work/cases" "$HOME")
  run_program 1 "$bin" startup --program "$program"
  expect_line err.txt "is not a program folder of Vornak.TQ"
  refuse_line out.txt "packages listed"
  [ "$before" = "$(snapshot "$work/cases" "$HOME")" ] || fail "startup on $program wrote files"
done
[ -e "$OSTREL_REGISTRY" ] && fail "a refused start-up registered a copy"

# Without --program the folder of vornak-gen itself is started up: refused when the configurator
# is not beside it.
mkdir -p alone
cp "$bin" alone/vornak-gen
before=$(snapshot "$work/alone" "$HOME")
run_program 1 alone/vornak-gen startup
expect_line err.txt "is not a program folder of Vornak.TQ"
[ "$before" = "$(snapshot "$work/alone" "$HOME")" ] || fail "startup beside vornak-gen wrote files"

# A program folder whose package list cannot be written: the failure is reported, not 12 packs.
mkdir -p program/Resource/Packages.ini
cp "$configurator" program/Vornak.TQ
echo "in the way" >program/Resource/Packages.ini/file
run_program 1 "$bin" startup --program program
expect_line out.txt "packages listed in $work/program/Resource/Packages.ini: not written"
refuse_line out.txt ": 12"

# The same folder once the list can be written: started, registered, 12 packs listed.
rm -r program/Resource/Packages.ini
run_program 0 "$bin" startup --program program
expect_line out.txt "packages listed in $work/program/Resource/Packages.ini: 12"
expect_line out.txt "Vornak.TQ 1.5.0.2k.lang at $work/program/Vornak.TQ"
[ "$(wc -l <program/Resource/Packages.ini)" -eq 12 ] || fail "Packages.ini does not hold 12 lines"

finish "vornak-gen startup"
