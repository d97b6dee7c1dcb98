#!/usr/bin/env bash
# Sets up the machine, builds, makes an installed copy on the embedded data (scripts/stage.sh) and
# opens the configurator there. Without a display it runs the window under Xvfb, closes it the way
# another copy would (after a few seconds) and shows what the run left behind.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
./scripts/build.sh
./scripts/stage.sh
program=build/run/Vornak.TQ

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$program/Vornak.TQ"
fi

echo "run-main: no display; running the configurator under Xvfb for a few seconds"
xvfb-run -a sh -c "\"$program/Vornak.TQ\" & pid=\$!; sleep 4; ./build/apps/vornak-gen/vornak-gen message close; wait \$pid"
echo "run-main: the configurator started, found the game and closed; it left:"
for file in Settings/Vornak.ini Resource/Packages.ini Resource/LCounter.ini Resource/TNCounter.ini; do
  echo "  $program/$file"
done
sed -n '1,20p' "$program/Settings/Vornak.ini" | tr -d '\r' | sed 's/^/    /'
