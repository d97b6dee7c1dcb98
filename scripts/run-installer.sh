#!/usr/bin/env bash
# Builds, makes the installed copy of the configurator on the embedded data (scripts/stage.sh,
# build/run/Vornak.TQ) and registers it in the copy list, puts the sample pack with the built
# installer beside its Source folder under build/run/packs/, and runs the installer: with its
# window (needs a display), or unattended with --silent. Arguments go to the installer; an
# unattended run without --target installs into build/run/Vornak.TQ, whatever else is registered.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
./scripts/build.sh
./scripts/stage.sh > /dev/null
program=build/run/Vornak.TQ
stage=build/run/packs/sample-loadingscreens
# The configurator's start-up registers the copy in the copy list and writes Packages.ini.
./build/apps/vornak-gen/vornak-gen startup --program "$program"

rm -rf "$stage"
mkdir -p "$stage"
cp -r data/packs/sample-loadingscreens/. "$stage/"
cp build/apps/packrane/Packrane.TQ "$stage/"
args=("$@")
if [[ " $* " == *" --silent "* && " $* " != *" --target "* ]]; then
  args+=(--target "$program")
fi
exec "$stage/Packrane.TQ" "${args[@]}"
