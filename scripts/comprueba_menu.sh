#!/usr/bin/env bash
# Arranca el programa de escritorio bajo xvfb-run como un usuario sin carpeta de datos y
# espera a que muestre el menú principal y, encima, la nota inicial de la ayuda: las dos
# ventanas visibles para xwininfo. Falla si el programa termina antes o si no llegan en el
# plazo.
#   scripts/comprueba_menu.sh [PROGRAMA] [--copia]
# Con --copia comprueba además que la carpeta de datos del usuario recibió los once ficheros
# distribuidos (programa instalado).
set -euo pipefail
# xwininfo solo muestra los títulos en UTF-8 con un locale que lo sea (en CI no hay LANG).
export LC_ALL=C.UTF-8
programa=${1:-quiniela}
copia=${2:-}

if [ -z "${COMPRUEBA_MENU_DENTRO:-}" ]; then
  exec env COMPRUEBA_MENU_DENTRO=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

casa=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$casa"' EXIT
env -u XDG_DATA_HOME HOME="$casa" "$programa" >"$casa/salida.txt" 2>&1 &
pid=$!

# El menú lleva el título del programa; la nota inicial es el diálogo de mensajes "Quiniela".
visible() {
  local id
  for id in $(xwininfo -root -children | grep -E "$1" | awk '{print $1}'); do
    xwininfo -id "$id" | grep -q "Map State: IsViewable" && return 0
  done
  return 1
}

for _ in $(seq 1 150); do
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "El programa terminó antes de mostrar el menú principal:" >&2
    cat "$casa/salida.txt" >&2
    exit 1
  fi
  if visible '"Quiniela - Reducción de apuestas[^"]*": \("quiniela"' &&
    visible '"Quiniela": \("quiniela" "quiniela"\)'; then
    echo "Menú principal y nota inicial a la vista."
    if [ "$copia" = "--copia" ]; then
      datos="$casa/.local/share/quiniela/Temp/Tvr"
      compartida="$(dirname "$(command -v "$programa")")/../share/quiniela"
      for f in BASES DATOSGEN DIRECC EQUIPOS JORNADAS RED0101 RED0102 RED0103 RED0301 \
        RED0302 RED0401; do
        cmp "$compartida/$f.ZPK" "$datos/$f.ZPK" || { echo "Mal copiado: $f.ZPK" >&2; exit 1; }
      done
      echo "Ficheros distribuidos copiados en la carpeta de datos del usuario."
    fi
    exit 0
  fi
  sleep 0.2
done
echo "El menú principal no apareció en 30 segundos." >&2
xwininfo -root -children >&2
exit 1
