#!/usr/bin/env bash
# Installs what is missing, builds, and starts Brinestead in the keeper's data
# directory (BRINESTEAD_HOME, default ~/Brinestead), which becomes its start directory.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
data="${BRINESTEAD_HOME:-$HOME/Brinestead}"
mkdir -p "$data"
cd "$data"
exec "$root/build/brinestead" "$@"
