#!/usr/bin/env bash
# Instala, compila y arranca el programa sobre sus datos distribuidos.
# Sin pantalla, se arranca dentro de xvfb-run.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/prepara.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" ./build/app/quiniela "$@"
fi
exec ./build/app/quiniela "$@"
