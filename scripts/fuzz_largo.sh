#!/usr/bin/env bash
# Pasada larga de fuzzing en local: un millón de entradas por objetivo (unos minutos cada uno).
# Lo que encuentre queda en build-fuzz/hallazgos/; véase scripts/fuzz.sh.
exec "$(dirname "$0")/fuzz.sh" -n 1000000 "$@"
