#!/usr/bin/env bash
# Start-up of the editor on a large page, under a virtual X server: from process start to the
# first paint of the canvas, and the peak resident memory by then, each the median of several runs.
#   bench/startup.sh [BUILD-FOLDER] [RUNS]
# The page: 5,000 areas (rectangles, circles, polygons) over a 2000 x 1500 PNG.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-7}
editor="$build/mapwright"
[[ -x "$editor" ]] || { echo "no editor at $editor: build first" >&2; exit 1; }
command -v xvfb-run > /dev/null || { echo "xvfb-run is needed (package xvfb)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime" "$work/home"

python3 - "$work" <<'PY'
import struct, sys, zlib
work = sys.argv[1]
width, height = 2000, 1500

def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

rows = bytearray()
for y in range(height):
    rows.append(0)
    g = (y * 255) // height
    for x in range(width):
        rows += bytes(((x * 255) // width, g, (x ^ y) & 0xFF))
png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
       + chunk(b"IDAT", zlib.compress(bytes(rows), 6)) + chunk(b"IEND", b""))
open(f"{work}/big.png", "wb").write(png)

lines = ["<html><body>", '<IMG SRC="big.png" USEMAP="#big" WIDTH=2000 HEIGHT=1500>', '<MAP NAME="big">']
for i in range(5000):
    x, y = (i % 100) * 20, (i // 100) * 30
    kind = i % 3
    if kind == 0:
        shape, coords = "RECT", f"{x},{y},{x + 15},{y + 25}"
    elif kind == 1:
        shape, coords = "CIRCLE", f"{x + 8},{y + 12},7"
    else:
        shape, coords = "POLY", f"{x},{y},{x + 15},{y},{x + 8},{y + 25}"
    lines.append(f'<AREA SHAPE={shape} COORDS="{coords}" HREF="area{i}.htm" ALT="Area {i}">')
lines += ["</MAP>", "</body></html>"]
open(f"{work}/big.htm", "wb").write(("\r\n".join(lines) + "\r\n").encode())
PY

# The runs, as a script of their own: the virtual X server's wrapper passes on no shell functions.
cat > "$work/runs.sh" <<'RUNS'
#!/usr/bin/env bash
set -euo pipefail
work=$1 editor=$2 runs=$3
for _ in $(seq "$runs"); do
    start=$(date +%s.%N)
    output=$(env HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime" \
        MAPWRIGHT_FIRST_PAINT_PROBE=1 "$editor" "$work/big.htm" 2> /dev/null | grep '^first-paint' || true)
    [[ -n "$output" ]] || { echo "the editor painted no canvas" >&2; exit 1; }
    read -r _ painted _ peak <<< "$output"
    awk -v a="$painted" -v b="$start" -v p="$peak" 'BEGIN { printf "%.6f %s\n", a - b, p }'
done
RUNS
results=$(xvfb-run -a -s "-screen 0 1600x1000x24" bash "$work/runs.sh" "$work" "$(realpath "$editor")" "$runs")

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
seconds=$(awk '{ print $1 }' <<< "$results" | median)
peak_kib=$(awk '{ print $2 }' <<< "$results" | median)

printf 'start to first canvas paint: %.3f s   (goal 0.200 s, median of %d runs)\n' "$seconds" "$runs"
awk -v k="$peak_kib" 'BEGIN { printf "peak resident memory:        %.1f MiB (goal 60.0 MiB)\n", k / 1024 }'
