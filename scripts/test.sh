#!/usr/bin/env bash
# The test command: set-up, configure, build with warnings as errors, run the whole suite headless.
#   scripts/test.sh              normal build in build/
#   scripts/test.sh --sanitize   AddressSanitizer + UndefinedBehaviorSanitizer build in build-sanitize/
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
bash scripts/setup.sh

build_dir="${KROGUI_BUILD_DIR:-build}"
extra=()
if [ "${1:-}" = "--sanitize" ]; then
  build_dir="${KROGUI_BUILD_DIR:-build-sanitize}"
  extra+=(-DKROGUI_SANITIZE=ON -DKROGUI_BUILD_BENCH=OFF)
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
  export LSAN_OPTIONS="suppressions=$root/tests/common/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
# ccache (found by CMake) shares objects between checkouts: paths below the base directory are
# hashed relative to it, and the build directory's own path is left out of the hash (it would
# otherwise be part of every -g compilation), so a fresh clone reuses what another one compiled.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
jobs="$(nproc 2>/dev/null || echo 2)"
export QT_QPA_PLATFORM=offscreen
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKROGUI_WERROR=ON "${extra[@]}"
cmake --build "$build_dir" -j "$jobs"
ctest --test-dir "$build_dir" --output-on-failure -j "$jobs"
