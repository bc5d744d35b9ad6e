#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs, only those that are missing.
# As root it runs apt-get itself, as another user through sudo; with neither it prints
# the command for root and stops, since nothing can be built without the packages.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git
  qt6-base-dev qt6-base-dev-tools libgl-dev libxkbcommon-dev
  libzip-dev
  clang clang-format libclang-rt-dev
  libbenchmark-dev
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth
  libxml2-utils poppler-utils libreoffice-writer-nogui
  qt6-translations-l10n
  dpkg-dev fakeroot file lintian appstream desktop-file-utils librsvg2-bin man-db bash-completion
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ "${#missing[@]}" -gt 0 ] || exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "Не хватает пакетов: ${missing[*]}" >&2
  echo "sudo нет, поэтому установите их от имени root (например, войдя через su -):" >&2
  echo >&2
  echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
  echo >&2
  echo "и повторите команду." >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -q
# Through env: sudo would drop DEBIAN_FRONTEND from the environment.
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
