#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs, only those missing.
# Usage: scripts/setup.sh [extra packages...]
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config qt6-base-dev libsqlcipher-dev libzint-dev fonts-dejavu-core "$@")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Instalando: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
