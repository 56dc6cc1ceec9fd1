#!/usr/bin/env bash
# Capturas del programa de escritorio como lo ve un usuario: Xvfb con openbox de gestor de
# ventanas, a 800 × 600 y a 1280 × 1024, con los datos de ejemplo en una carpeta temporal. Abre
# desde el menú la consulta, la salida (y desde ella los seis listados), el escrutinio y el
# borrado, y guarda una captura de la pantalla entera de cada uno en docs/capturas/.
#   scripts/capturas_escritorio.sh [PROGRAMA] [CARPETA_CAPTURAS]
# Necesita Xvfb, openbox, xdotool, xwd y convert (ImageMagick).
set -euo pipefail
export LC_ALL=C.UTF-8
raiz=$(cd "$(dirname "$0")/.." && pwd)
programa=$(realpath "${1:-$raiz/build/app/quiniela}")
capturas=$(realpath -m "${2:-$raiz/docs/capturas}")
mkdir -p "$capturas"
trap 'kill $(jobs -p) 2>/dev/null || true' EXIT

# Una sesión: Xvfb de ese tamaño, openbox, el programa sobre una copia de data/.
sesion() {
  local ancho=$1 alto=$2 pantalla=:47
  local casa
  casa=$(mktemp -d)
  cp "$raiz"/data/*.ZPK "$casa/"
  Xvfb "$pantalla" -screen 0 "${ancho}x${alto}x24" -nolisten tcp &
  local xvfb=$!
  sleep 1
  export DISPLAY=$pantalla
  openbox >/dev/null 2>&1 &
  local wm=$!
  sleep 1
  "$programa" --datos "$casa" >"$casa/salida.txt" 2>&1 &
  local pid=$!
  trap 'kill $pid $wm $xvfb 2>/dev/null || true' RETURN
  # La nota inicial de la ayuda, encima del menú (los dos con el título del programa).
  espera_ventana "^Quiniela - " >/dev/null
  xdotool key Escape
  sleep 1
  local menu
  menu=$(espera_ventana "^Quiniela - ")
  captura "velmo_${ancho}x${alto}"
  # Consulta, salida y escrutinio (entradas 3, 4 y 5), con el menú a la vista.
  pulsa_en "$menu" 40 315
  espera_ventana "^Consulta de columnas" >/dev/null
  captura "menu_consredu_${ancho}x${alto}"
  pulsa_en "$menu" 300 270
  espera_ventana "^Escrutinio de columnas" >/dev/null
  captura "menu_escrutin_${ancho}x${alto}"
  pulsa_en "$menu" 300 225
  local salida
  salida=$(espera_ventana "^Salida de Datos")
  captura "menu_salida_${ancho}x${alto}"
  # Los seis listados, desde los botones de dibujo de la salida (3 × 2 de 76 × 90 en 472, 170).
  local tipo
  for tipo in 0 1 2 3 4 5; do
    pulsa_en "$salida" $((510 + (tipo % 3) * 76)) $((215 + (tipo / 3) * 90))
    sleep 1
    captura "listados_${tipo}_${ancho}x${alto}"
    xdotool key Escape
    sleep 0.5
  done
  # Borrado (entrada 7), que cierra antes la salida.
  pulsa_en "$menu" 300 315
  espera_ventana "^Borrado" >/dev/null || true
  sleep 0.5
  captura "menu_borrar_${ancho}x${alto}"
  xdotool key Escape
}

# Espera a que haya una ventana visible con ese título y la devuelve.
espera_ventana() {
  local id
  for _ in $(seq 1 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1 || true)
    if [ -n "$id" ]; then
      sleep 0.7
      echo "$id"
      return 0
    fi
    sleep 0.2
  done
  echo "No aparece la ventana $1" >&2
  return 1
}

# Un clic en un punto de la ventana (coordenadas de su contenido).
pulsa_en() {
  local id=$1 x=$2 y=$3
  eval "$(xdotool getwindowgeometry --shell "$id")"
  xdotool mousemove $((X + x)) $((Y + y)) click 1
  sleep 1.2
}

# ImageMagick 6 o 7, aunque otro "convert" vaya antes en el PATH.
conversor=$(command -v convert-im6.q16 || command -v magick || command -v convert)

captura() {
  xwd -root -silent | "$conversor" xwd:- "$capturas/$1.png"
  echo "$capturas/$1.png"
}

sesion 800 600
sesion 1280 1024
