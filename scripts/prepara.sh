#!/usr/bin/env bash
# Instala lo que falte para compilar y probar (Debian/Ubuntu).
set -euo pipefail
paquetes=(cmake g++ make clang-format libgtest-dev libbenchmark-dev qt6-base-dev
  qt6-multimedia-dev qt6-tools-dev qt6-tools-dev-tools qt6-translations-l10n libcurl4-openssl-dev
  fonts-liberation xvfb xauth poppler-utils python3-aiosmtpd openssl desktop-file-utils appstream
  man-db x11-utils)
faltan=()
for p in "${paquetes[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || faltan+=("$p")
done
if [ ${#faltan[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${faltan[@]}"
fi
