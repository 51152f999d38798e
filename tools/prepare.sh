#!/usr/bin/env bash
# Installs what the build needs (when run as root) and builds into build/:
# everything, or only the targets named as arguments; with --packages-only,
# installs and builds nothing.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t packages < <(grep -v '^#' tools/packages)
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
    if command -v sudo > /dev/null; then
      echo "Installarli con: sudo apt-get install ${missing[*]}" >&2
    else
      echo "Installarli come root con: su -c 'apt-get install ${missing[*]}'" >&2
    fi
    echo "oppure eseguire questo stesso comando come root, che li installa da sé." >&2
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
