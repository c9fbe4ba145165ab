#!/usr/bin/env bash
# Installs what is missing, builds, creates the demo database folder when
# there is none, and starts the program on it. Arguments are passed on to
# the program (for example: --impresora emulador --cinta /tmp/cinta.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh xvfb xauth
scripts/build.sh

demo="$PWD/demo/Bases"
if [ ! -d "$demo" ]; then
  build/src/torvi --crear-base "$demo" --demo
fi
exec build/src/torvi --bases "$demo" "$@"
