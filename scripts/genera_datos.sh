#!/usr/bin/env bash
# Regenera los ficheros de datos distribuidos en data/ con el propio quiniela-cli:
# equipos de Primera y Segunda de la temporada 2005-06, las cuatro primeras jornadas y
# seis reducciones de demostración. Uso: scripts/genera_datos.sh [RUTA/quiniela-cli]
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build/app/quiniela-cli}
[ -x "$cli" ] || { echo "No encuentro $cli: compile antes el proyecto." >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
q() { "$cli" --datos "$tmp" "$@" >/dev/null; }

# Equipos: un nombre por línea, Windows-1252 y CR LF.
equipos=(
  "Alavés" "Athletic Club" "Atlético Madrid" "Barcelona" "Betis" "Cádiz" "Celta de Vigo"
  "Deportivo" "Espanyol" "Getafe" "Málaga" "Mallorca" "Osasuna" "R. Santander"
  "Real Madrid" "Real Sociedad" "Sevilla" "Valencia" "Villarreal" "Zaragoza"
  "Albacete" "Almería" "Castellón" "Ciudad Murcia" "Eibar" "Elche" "Gimnàstic"
  "Hércules" "Levante" "Lleida" "Lorca Deportiva" "Málaga B" "Murcia" "Numancia"
  "Poli Ejido" "Racing Ferrol" "Real Madrid B" "Recreativo" "Sporting Gijón" "Tenerife"
  "Valladolid" "Xerez")
printf '%s\r\n' "${equipos[@]}" | iconv -f UTF-8 -t WINDOWS-1252 > "$tmp/EQUIPOS.ZPK"
: > "$tmp/DIRECC.ZPK"

# jornada J FECHA "local|visitante" x 15
jornada() {
  local j=$1 fecha=$2
  shift 2
  local args=(jornada "$j" --fecha "$fecha") n=1 p
  for p in "$@"; do
    args+=(--partido "$n" "${p%%|*}" "${p##*|}")
    n=$((n + 1))
  done
  q "${args[@]}"
}

jornada 1 28/08/05 "Alavés|Barcelona" "Athletic Club|Real Sociedad" \
  "Atlético Madrid|Zaragoza" "Betis|Málaga" "Cádiz|Real Madrid" "Celta de Vigo|Valencia" \
  "Deportivo|Osasuna" "Espanyol|Getafe" "Mallorca|R. Santander" "Sevilla|Villarreal" \
  "Albacete|Numancia" "Levante|Xerez" "Murcia|Elche" "Sporting Gijón|Valladolid" \
  "Tenerife|Recreativo"
jornada 2 11/09/05 "Barcelona|Celta de Vigo" "Real Sociedad|Alavés" \
  "Zaragoza|Athletic Club" "Málaga|Atlético Madrid" "Real Madrid|Betis" "Valencia|Cádiz" \
  "Osasuna|Espanyol" "Getafe|Mallorca" "R. Santander|Sevilla" "Villarreal|Deportivo" \
  "Numancia|Levante" "Elche|Almería" "Recreativo|Hércules" "Valladolid|Castellón" \
  "Xerez|Gimnàstic"
jornada 3 18/09/05 "Alavés|Zaragoza" "Athletic Club|Málaga" "Atlético Madrid|Real Madrid" \
  "Betis|Valencia" "Cádiz|Osasuna" "Celta de Vigo|Getafe" "Deportivo|R. Santander" \
  "Espanyol|Villarreal" "Mallorca|Barcelona" "Sevilla|Real Sociedad" \
  "Ciudad Murcia|Eibar" "Lleida|Lorca Deportiva" "Poli Ejido|Málaga B" \
  "Real Madrid B|Racing Ferrol" "Sporting Gijón|Albacete"
jornada 4 21/09/05 "Barcelona|Sevilla" "Real Sociedad|Deportivo" "Zaragoza|Cádiz" \
  "Málaga|Alavés" "Real Madrid|Athletic Club" "Valencia|Espanyol" "Osasuna|Celta de Vigo" \
  "Getafe|Betis" "R. Santander|Atlético Madrid" "Villarreal|Mallorca" "Almería|Tenerife" \
  "Castellón|Murcia" "Hércules|Levante" "Gimnàstic|Numancia" "Eibar|Xerez"

# Reducciones de demostración, una de cada método al menos.
q reducir --jornada 1 --orden 1 --metodo directo \
  --base "1X2* 1X2* 1X2* 1X2* 1X* X2* 12* 1 X 1X* 12 1 2 1X 1" \
  --descripcion "Cuatro triples y cuatro dobles"
q reducir --jornada 1 --orden 2 --metodo probable \
  --base "1X2*=1 1X*=1 X2*=X 12*=1 1X2*=1 1X*=X 1X2*=2 12*=2 1 X2*=2 1X*=1 2 1 1X2*=1 1" \
  --errores 0-3 --descripcion "Probable con hasta tres fallos"
q reducir --jornada 1 --orden 3 --metodo signos \
  --base "1X2* 1X2* 1X* 1X2* X2* 1X2* 12* 1X2* 1 1X* 1X2* 1 1X2* 1X2* 1" \
  --totales "1:6 X:3 2:3" --descripcion "Seis unos, tres equis, tres doses"
q reducir --jornada 3 --orden 1 --metodo directo \
  --base "1X* 12* X2* 1X* 1X* 12* 1X* 1X2 1 X 2 1X2 1 1 1X" \
  --descripcion "Siete dobles reducidos"
q reducir --jornada 3 --orden 2 --metodo probable \
  --base "1X*=1 1X*=1 12*=1 1X2*=1 1X*=X 12*=2 1X2*=1 1 1X*=1 X2*=X 1 1X2*=X 12*=1 1X*=1 1" \
  --errores 1-3 --descripcion "Entre uno y tres fallos"
q reducir --jornada 4 --orden 1 --metodo signos \
  --base "1X2* 1X2* 1X2* 1X2* 1X2* 1X2* 1X2* 1X2* 1X2* 1 X 1 2 1 1" \
  --totales "1:3-4 X:2 2:2-3" --descripcion "Nueve triples por signos"

for f in BASES DATOSGEN DIRECC EQUIPOS JORNADAS RED0101 RED0102 RED0103 RED0301 RED0302 RED0401; do
  cp "$tmp/$f.ZPK" "data/$f.ZPK"
done
echo "Ficheros regenerados en data/."
