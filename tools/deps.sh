#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when some are missing.
# As root it installs them; otherwise it names them and stops. With the
# argument "fuzz" it also wants clang with libFuzzer, which only `make fuzz` needs.
set -eu
packages="cmake g++ make pkg-config freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri
libegl-dev libegl-mesa0 libpng-dev libgtest-dev xvfb xauth xdotool x11-utils x11-apps imagemagick"
if [ "${1:-}" = fuzz ]; then packages="$packages clang libclang-rt-14-dev"; fi
missing=""
for p in $packages; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "silmod needs these Debian packages:$missing" >&2
  echo "install them with: sudo apt-get install -y$missing" >&2
  exit 1
fi
echo "installing:$missing"
apt-get update
DEBIAN_FRONTEND=noninteractive apt-get install -y $missing
