#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Plazor needs.
# Idempotent: packages already present are not fetched again, and the package lists are
# refreshed only when something is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config clang-format
  libmagickwand-6.q16-dev imagemagick
  libcjson-dev libimagequant-dev liblodepng-dev libturbojpeg0-dev libjpeg62-turbo-dev
  qt6-base-dev qt6-qpa-plugins libgl-dev qt6-translations-l10n qt6-svg-dev
  libgtest-dev libgmock-dev clang-format nettle-dev
  parallel yamllint python3-yaml
  xvfb xauth x11-apps xdotool desktop-file-utils appstream groff-base xdg-user-dirs fonts-wqy-microhei time
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}" >&2
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
