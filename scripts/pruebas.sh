#!/usr/bin/env bash
# Instala, compila (avisos como errores) y pasa todas las pruebas.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/prepara.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQUINIELA_AVISOS_COMO_ERRORES=ON
cmake --build build -j"$(nproc)"
# Las pruebas de pantallas van sobre la plataforma offscreen.
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$(nproc)"
