#!/usr/bin/env bash
# Builds the torture test of the editor with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitize-gui (or FOLDER) and runs it: build-sanitize-gui.sh [FOLDER [CMAKE-OPTIONS...]]
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-build-sanitize-gui}
shift || true
cmake -S . -B "$folder" -G Ninja -DMAPWRIGHT_SANITIZE=ON -DMAPWRIGHT_BENCH=OFF "$@" > /dev/null
cmake --build "$folder" --parallel "$(nproc)" --target gui_torture_test
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} \
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$folder/gui_torture_test"
