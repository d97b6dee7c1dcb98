#!/usr/bin/env bash
# Sets up, builds, makes the installed copy on the embedded data (scripts/stage.sh) and opens the
# configurator's window there. Without a display it runs the window under Xvfb, closes it the way
# another copy would after a few seconds, and shows what the run left behind.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
./scripts/build.sh
./scripts/stage.sh
program=build/run/Vornak.TQ

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$program/Vornak.TQ"
fi

echo "run-window: no display; running the configurator under Xvfb for a few seconds"
xvfb-run -a sh -c "\"$program/Vornak.TQ\" & pid=\$!; sleep 4; ./build/apps/vornak-gen/vornak-gen message close; wait \$pid"
echo "run-window: the configurator started, found the game and closed; it left:"
for file in Settings/Vornak.ini Settings/AutoConfig.vkm Resource/Packages.ini Resource/LCounter.ini; do
  echo "  $program/$file"
done
