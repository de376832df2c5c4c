#!/usr/bin/env bash
# Installs the dependencies, builds and starts the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
exec build/mapwright "$@"
