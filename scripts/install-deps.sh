#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing,
# and those named as arguments (a script that needs more than the tests).
set -euo pipefail

packages=(g++ make cmake pkg-config libicu-dev libsqlite3-dev sqlite3 libzip-dev libgtest-dev clang-format
          clang libclang-rt-14-dev
          qt6-base-dev fonts-noto-cjk
          dpkg-dev desktop-file-utils appstream lintian man-db "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
