#!/usr/bin/env bash
# The main job: build and start krogui-gallery. Without a display it writes one PNG per page
# to out/gallery/ instead.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
bash scripts/setup.sh
build_dir="${KROGUI_BUILD_DIR:-build}"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" -j "$(nproc 2>/dev/null || echo 2)" --target krogui-gallery
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$build_dir/examples/gallery/krogui-gallery" "$@"
fi
mkdir -p out/gallery
QT_QPA_PLATFORM=offscreen "$build_dir/examples/gallery/krogui-gallery" --screenshot out/gallery
echo "No display: gallery pages written to $root/out/gallery/"
