#!/usr/bin/env bash
# Fuzzing de los lectores de ficheros de datos con libFuzzer (clang, ASan y UBSan).
#   scripts/fuzz.sh                 cada objetivo 60 segundos (lo que hace la integración continua)
#   scripts/fuzz.sh -t 300          cada objetivo 300 segundos
#   scripts/fuzz.sh -n 1000000      cada objetivo un millón de entradas
#   scripts/fuzz.sh -o bases        solo ese objetivo (se puede repetir)
# Compila en build-fuzz (sin avisos como errores: los de clang los mira la compilación normal). Las entradas nuevas van a build-fuzz/corpus/OBJETIVO; las semillas de
# fuzz/corpus/OBJETIVO no se tocan. Un fallo deja su entrada en build-fuzz/hallazgos/ y el
# script sale con 1: arréglelo y copie la entrada a fuzz/corpus/OBJETIVO.
set -euo pipefail
cd "$(dirname "$0")/.."

limite=(-max_total_time=60)
objetivos=()
while getopts "t:n:o:" opcion; do
  case $opcion in
    t) limite=(-max_total_time="$OPTARG") ;;
    n) limite=(-runs="$OPTARG") ;;
    o) objetivos+=("$OPTARG") ;;
    *) echo "Uso: $0 [-t SEGUNDOS | -n ENTRADAS] [-o OBJETIVO]..." >&2; exit 2 ;;
  esac
done
[ ${#objetivos[@]} -eq 0 ] && objetivos=(texto_delimitado datosgen equipos jornadas bases)

cmake -S fuzz -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ > /dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${objetivos[@]/#/fuzz_}"

mkdir -p build-fuzz/hallazgos
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
for objetivo in "${objetivos[@]}"; do
  mkdir -p "build-fuzz/corpus/$objetivo"
  inicio=$SECONDS
  echo "== fuzz_$objetivo =="
  registro="build-fuzz/fuzz_$objetivo.log"
  estado=0
  "build-fuzz/fuzz_$objetivo" "build-fuzz/corpus/$objetivo" "fuzz/corpus/$objetivo" \
    -dict="fuzz/$objetivo.dict" "${limite[@]}" -rss_limit_mb=2048 -max_len=4096 \
    -print_final_stats=1 -artifact_prefix="build-fuzz/hallazgos/$objetivo-" \
    > "$registro" 2>&1 || estado=$?
  grep -E '^(#[0-9]+ +DONE|Done [0-9]+ runs|stat::number_of_executed_units)' "$registro" || true
  if [ "$estado" -ne 0 ]; then
    grep -E -A30 '==[0-9]+==ERROR|runtime error|deadly signal' "$registro" | head -60 >&2
    echo "fuzz_$objetivo ha encontrado un fallo (registro: $registro)." >&2
    exit 1
  fi
  echo "fuzz_$objetivo: $((SECONDS - inicio)) s"
done
