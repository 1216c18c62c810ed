#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the headless renders need.
# Only missing packages are installed, so a second run costs a few dpkg queries.
# With --ci, also what CI's sanitizer and fuzzer builds need (clang and its
# sanitizer and libFuzzer runtimes).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libcairo2-dev libpango1.0-dev libharfbuzz-dev libfontconfig-dev
  libicu-dev libturbojpeg0-dev libjpeg62-turbo-dev libpng-dev libsqlite3-dev
  libopencore-amrnb-dev libsdl2-dev libplist-dev librsvg2-dev librsvg2-bin
  uuid-dev nlohmann-json3-dev libcli11-dev libyaml-cpp-dev libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-inter fonts-noto-cjk fonts-noto-color-emoji fonts-roboto
)
if [ "${1:-}" = "--ci" ]; then
  packages+=(clang libclang-rt-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
