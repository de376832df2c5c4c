#!/usr/bin/env bash
# Installs what Mapwright needs to build and test, from Debian's packages. Quick when all are present.
set -euo pipefail

packages=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev libfontconfig-dev
  libgif-dev libjpeg-dev libpng-dev zlib1g-dev
  libgtest-dev
  chromium  # a real browser opens the page that Test in browser writes
  qt6-svg-dev libqt6svg6
  desktop-file-utils appstream dpkg-dev groff-base
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
run_as_root=()
if [[ $(id -u) -ne 0 ]]; then run_as_root=(sudo); fi
"${run_as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${run_as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
