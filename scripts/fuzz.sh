#!/usr/bin/env bash
# Builds the fuzzers with clang into build-fuzz and runs each for a while:
#
#   scripts/fuzz.sh [-t SECONDS] [-p] [FUZZER...]
#
#   -t SECONDS  how long each fuzzer runs (default 60)
#   -p          run the fuzzers all at once instead of one after another
#   FUZZER      e.g. mapreader_fuzzer; default every fuzz/*_fuzzer.cpp
#
# Each run starts from the committed corpus fuzz/corpus/FUZZER (read only) and keeps the inputs it
# finds in build-fuzz/corpus/FUZZER; an input that breaks a rule stops the run and is saved in
# build-fuzz/findings/FUZZER/. The log is build-fuzz/logs/FUZZER.log. At the end one line per
# fuzzer gives the covered edges at the start (seeds loaded) and at the end, and the findings.
# Exits 1 when there are findings.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() { sed -n '4,8p' "$0" >&2; exit 2; }

seconds=60
parallel=0
while getopts "t:p" option; do
  case $option in
    t) seconds=$OPTARG ;;
    p) parallel=1 ;;
    *) usage ;;
  esac
done
shift $((OPTIND - 1))

fuzzers=("$@")
if [[ ${#fuzzers[@]} -eq 0 ]]; then
  for source in fuzz/*_fuzzer.cpp; do fuzzers+=("$(basename "$source" .cpp)"); done
fi

command -v clang++ > /dev/null || { echo "clang++ is needed: apt-get install clang" >&2; exit 1; }
scripts/install-deps.sh
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DMAPWRIGHT_FUZZ=ON \
  -DMAPWRIGHT_GUI=OFF -DMAPWRIGHT_BENCH=OFF "${launcher[@]}" > /dev/null
cmake --build build-fuzz --target "${fuzzers[@]}"

# The decoder and page entries write scratch files: memory is faster than disk for them.
if [[ -z ${TMPDIR:-} && -w /dev/shm ]]; then export TMPDIR=/dev/shm; fi
mkdir -p build-fuzz/logs

run() {
  local name=$1
  mkdir -p "build-fuzz/corpus/$name" "build-fuzz/findings/$name"
  local options=(-max_total_time="$seconds" -timeout=60 -print_final_stats=1
                 -artifact_prefix="build-fuzz/findings/$name/")
  [[ $name != decode_fuzzer ]] && options+=(-dict=fuzz/map.dict)
  "build-fuzz/$name" "${options[@]}" "build-fuzz/corpus/$name" "fuzz/corpus/$name" \
    > "build-fuzz/logs/$name.log" 2>&1 || true
}

if [[ $parallel -eq 1 ]]; then
  for name in "${fuzzers[@]}"; do run "$name" & done
  wait
else
  for name in "${fuzzers[@]}"; do run "$name"; done
fi

status=0
for name in "${fuzzers[@]}"; do
  log="build-fuzz/logs/$name.log"
  start=$(grep -m1 'INITED' "$log" | grep -o 'cov: [0-9]*' | cut -d' ' -f2 || true)
  end=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2 || true)
  runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | cut -d' ' -f2 || true)
  findings=$(find "build-fuzz/findings/$name" -type f | wc -l)
  echo "$name: covered edges ${start:-?} at start, ${end:-?} at end; ${runs:-?} runs; $findings findings"
  if [[ $findings -gt 0 ]]; then
    status=1
    find "build-fuzz/findings/$name" -type f -printf '  %p\n'
  fi
done
exit $status
