#!/usr/bin/env bash
# Plays the simulator's 128 kbps MP3 mount for a fixed time through our driver
# (velora-play), through mpg123 (the same decoder library: our floor) and through mpv, and
# reports CPU seconds (user+sys), peak RSS and time to first audio of each.
#
# Time to first audio: our driver waits for the same 76 % buffer fill as a station run
# and reports when the first audio went to the device; mpg123 and mpv are timed to the
# line each prints when its audio output starts.
#
# Usage: bench/compare-players.sh [build-dir] [seconds]
#   (default build/default, 30 s). Installs mpg123, mpv and GNU time when missing
#   (scripts/bench-packages.txt).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/../scripts/install-deps.sh" "$here/../scripts/bench-packages.txt"
build=$(cd "${1:-$here/../build/default}" && pwd)
seconds=${2:-30}
port=$((18600 + RANDOM % 1000))

"$build/sim/velora-sim" --port "$port" >/dev/null 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    (exec 3<>/dev/tcp/127.0.0.1/$port) 2>/dev/null && break
    sleep 0.1
done

run() {  # run LABEL MOUNT PATTERN COMMAND...
    local label=$1 mount=$2 pattern=$3
    shift 3
    printf '%-12s %-20s %s\n' "$label" "$mount" \
        "$(SDL_AUDIODRIVER=dummy "$here/run_timed.py" "$seconds" "$pattern" -- "$@")"
}

echo "$seconds s per run on $(nproc) cores; mounts of velora-sim on port $port"
for mount in pop pop-noburst pop-trickle; do
    url="http://127.0.0.1:$port/stream/$mount"
    run velora-play "$mount" 'first audio' "$build/tools/velora-play" "$url" --seconds "$seconds"
    run mpg123 "$mount" '^MPEG 1\.0' mpg123 -v -o dummy "$url"
    run mpv "$mount" '^AO: ' mpv --no-config --ao=null "$url"
done
