#!/usr/bin/env bash
# Installs the dependencies, builds and runs every test: the whole suite in a normal build, the
# installed tree and the Debian package of that build, then the core tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

scripts/install-deps.sh

scripts/build.sh build
ctest --test-dir build --output-on-failure --no-tests=error --timeout 300 -j "$(nproc)"
scripts/check-install.sh build

scripts/build.sh build-sanitize -DMAPWRIGHT_SANITIZE=ON -DMAPWRIGHT_GUI=OFF -DMAPWRIGHT_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure --no-tests=error --timeout 600 -j "$(nproc)"

# The whole editor under the same sanitizers, driven by the torture test; only what it needs is
# built. Leak checking is off here: Qt and fontconfig keep process-lifetime allocations.
scripts/build-sanitize-gui.sh
