#!/usr/bin/env bash
# Installs the Debian packages a fresh machine lacks. Idempotent; silent when all are present.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-tools-dev libqt6opengl6-dev   # forms: UiTools (needs the OpenGL CMake files), QFormBuilder, Designer plugin
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core
  doxygen
)
# scripts/fuzz.sh needs clang and its libFuzzer runtime.
if [ "${1:-}" = "--fuzz" ]; then packages+=(clang libclang-rt-14-dev); fi
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
