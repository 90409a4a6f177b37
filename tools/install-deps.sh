#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, plus any named on the command line.
# Quick when everything is there already: it asks dpkg first and calls apt-get only for what is
# missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  libgtest-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  fonts-ipafont-gothic
  xvfb xdotool xclip x11-utils imagemagick
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$p")
done
((${#missing[@]})) || exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
