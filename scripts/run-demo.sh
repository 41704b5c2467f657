#!/usr/bin/env bash
# Sets up, builds and runs Orvandel on its demo album (build/demo).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies.sh build demo
cmake --preset release >/dev/null
cmake --build --preset release --target orvandel
scripts/make-demo-album.sh build/release/src/app/orvandel build/demo

if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
    display=:$((90 + RANDOM % 100))
    echo "No display found: starting a private Xvfb on $display (screenshots: xwd -root -display $display)."
    Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null' EXIT
    export DISPLAY=$display
    sleep 1
fi
echo "Running build/demo/orvandel"
build/demo/orvandel
