#!/usr/bin/env bash
# Installs the Debian 12 packages listed in scripts/packages.txt (or in the list file
# given as the argument) that are missing. As root it runs apt-get itself; otherwise it
# prints the exact command to run.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
list=${1:-$here/packages.txt}
mapfile -t wanted < <(grep -v -E '^\s*(#|$)' "$list")
missing=()
for p in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
cmd="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Run as root:" >&2
    echo "  apt-get update && $cmd" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
$cmd
