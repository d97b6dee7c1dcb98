#!/usr/bin/env bash
# Installs every Debian package the build, the programs and the tests need. Safe to run again:
# packages already present are not touched.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libcurl4-openssl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-format
  # the patch benchmark (scripts/bench-patch.sh) measures against xmlstarlet with /usr/bin/time
  xmlstarlet time
  # clang with the libFuzzer and sanitizer runtimes, for scripts/fuzz.sh
  clang libclang-rt-14-dev
  xvfb xauth fonts-dejavu-core
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all ${#packages[@]} packages are installed"
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "setup: installing ${missing[*]}"
echo "setup: apt-get update"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
echo "setup: done"
