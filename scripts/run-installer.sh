#!/usr/bin/env bash
# Builds, stages the sample pack with the built installer beside its Source folder under out/,
# makes sure a configurator copy exists in out/Vornak.TQ and is registered, and runs the installer:
# with its window (needs a display), or unattended with --silent. Arguments go to the installer;
# an unattended run without --target installs into out/Vornak.TQ, whatever else is registered.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
./scripts/build.sh
program=out/Vornak.TQ
stage=out/packs/sample-loadingscreens
configurator=${VORNAK_BINARY:-build/apps/vornak/Vornak.TQ}

mkdir -p "$program"
if [ -x "$configurator" ]; then
  cp "$configurator" "$program/Vornak.TQ"
elif [ ! -x "$program/Vornak.TQ" ]; then
  # Until the configurator's window program is built, a stand-in carries its file version.
  cp build/tests/apps/packrane/vornak-stand-in "$program/Vornak.TQ"
fi
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
