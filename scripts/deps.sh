#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with, when any is missing, and the
# packages named as arguments (for builds of their own, such as the fuzz build).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libsqlite3-dev libsodium-dev libcli11-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  fonts-dejavu-core
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing missing packages: ${missing[*]}" >&2
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
fi
