#!/usr/bin/env bash
# Installs what is missing, builds, and starts the console.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${ORVANE_BUILD_DIR:-$root/build}"
"$root/scripts/setup.sh"
exec "$build_dir/src/orvane" "$@"
