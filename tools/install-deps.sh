#!/usr/bin/env bash
# Installs the Debian 12 packages the program needs: "run" for building and running it,
# "test" for that plus every tool the tests check outputs with. Quick when all are there.
set -euo pipefail

RUN_PACKAGES=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-image-formats-plugins
  libqt6svg6 qt6-translations-l10n libexiv2-dev libzip-dev libpugixml-dev libcurl4-openssl-dev
  libssl-dev libturbojpeg0-dev fonts-ipafont-gothic fonts-ipafont-mincho python3-ezdxf python3-matplotlib
  xvfb xauth)
TEST_PACKAGES=(libgtest-dev libgmock-dev googletest libbenchmark-dev clang xvfb xauth
  libimage-exiftool-perl poppler-utils python3-openpyxl python3-ezdxf python3-pyshp gdal-bin
  tinyproxy libreoffice-calc locales python3-pil python3-numpy python3-pyproj libvips-tools)

wanted=("${RUN_PACKAGES[@]}")
if [ "${1:-run}" = "test" ]; then
  wanted+=("${TEST_PACKAGES[@]}")
fi

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
fi

# Tests run some cases under a decimal-comma locale to show that stored numbers ignore the locale.
if [ "${1:-run}" = "test" ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  "${sudo_cmd[@]}" sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
