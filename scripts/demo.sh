#!/usr/bin/env bash
# Installs what is missing, builds, starts the station simulator and the player
# against it. Ctrl+C (or closing the window) ends both.
set -euo pipefail
cd "$(dirname "$0")/.."
port=${VELORA_SIM_PORT:-8520}
scripts/install-deps.sh
cmake --preset default
cmake --build --preset default --target diraz-velora velora-sim

build/default/sim/velora-sim --port "$port" &
sim_pid=$!
trap 'kill $sim_pid 2>/dev/null || true' EXIT
sleep 0.3

export VELORA_SERVICE_HOST=127.0.0.1:$port
export VELORA_WEB_HOST=127.0.0.1:$port
export VELORA_IMAGE_SEARCH_HOST=127.0.0.1:$port
# Show what the player does behind its window.
export QT_LOGGING_RULES=${QT_LOGGING_RULES:-"velora.*.info=true"}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "demo: no display found; running the window offscreen (set DISPLAY to see it)" >&2
    export QT_QPA_PLATFORM=offscreen
fi
build/default/app/diraz-velora
