#!/usr/bin/env bash
# Installs what the build needs (when run as root) and builds into build/:
# everything, or only the targets named as arguments; with --packages-only,
# installs and builds nothing.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-translations-l10n
          libsqlcipher-dev libxlsxwriter-dev libxml2-dev fonts-liberation libbenchmark-dev poppler-utils unzip)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
  else
    echo "Pacchetti mancanti: ${missing[*]}" >&2
    echo "Installarli con: sudo apt-get install ${missing[*]}" >&2
    exit 1
  fi
fi

if [ "${1:-}" = "--packages-only" ]; then
  exit 0
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
if [ $# -gt 0 ]; then
  cmake --build build --target "$@"
else
  cmake --build build
fi
