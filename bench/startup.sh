#!/usr/bin/env bash
# Start-up of the editor beside Qt's own, under one virtual X server: from process start to the
# first paint of a bare Qt window (a QMainWindow with one painted widget), of Qt's own widgets laid
# out as the editor's window on the harbour example (bench/bare/widgetwindow.cpp: what those widgets
# cost without the editor), and of the editor's canvas on the harbour example and on a page of
# 5,000 areas (rectangles, circles, polygons over a 2000 x 1500 PNG); the peak resident memory by
# then; each the median of several runs, the programs taking turns.
#   bench/startup.sh [BUILD-FOLDER] [RUNS]
# With DISPLAY set the runs use that X server, else one of their own (xvfb-run).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-7}
editor="$build/mapwright"
bare="$build/barewindow"
widgets="$build/widgetwindow"
[[ -x "$editor" && -x "$bare" && -x "$widgets" ]] || { echo "no editor, barewindow or widgetwindow in $build: build first" >&2; exit 1; }
[[ -n "${DISPLAY:-}" ]] || command -v xvfb-run > /dev/null || { echo "xvfb-run is needed (package xvfb)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime" "$work/home"
cp examples/harbour.htm examples/harbour.png "$work/"

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
# Each line: program, seconds to first paint, peak KiB.
cat > "$work/runs.sh" <<'RUNS'
#!/usr/bin/env bash
set -euo pipefail
work=$1 editor=$2 bare=$3 widgets=$4 runs=$5
measure() {
    local name=$1
    shift
    local start output painted peak
    start=$(date +%s.%N)
    output=$(env HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime" \
        MAPWRIGHT_FIRST_PAINT_PROBE=1 "$@" 2> /dev/null | grep '^first-paint' || true)
    [[ -n "$output" ]] || { echo "$name painted nothing" >&2; exit 1; }
    read -r _ painted _ peak <<< "$output"
    awk -v n="$name" -v a="$painted" -v b="$start" -v p="$peak" 'BEGIN { printf "%s %.6f %s\n", n, a - b, p }'
}
for _ in $(seq "$runs"); do
    measure bare "$bare"
    measure widgets "$widgets" "$work/harbour.htm" "$work/harbour.png"
    measure harbour "$editor" "$work/harbour.htm"
    measure big "$editor" "$work/big.htm"
done
RUNS
if [[ -n "${DISPLAY:-}" ]]; then
    results=$(bash "$work/runs.sh" "$work" "$(realpath "$editor")" "$(realpath "$bare")" "$(realpath "$widgets")" "$runs")
else
    results=$(xvfb-run -a -s "-screen 0 1600x1000x24" bash "$work/runs.sh" "$work" "$(realpath "$editor")" \
        "$(realpath "$bare")" "$(realpath "$widgets")" "$runs")
fi

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
seconds() { awk -v n="$1" '$1 == n { print $2 }' <<< "$results" | median; }
peak() { awk -v n="$1" '$1 == n { print $3 }' <<< "$results" | median; }
bare_s=$(seconds bare)
printf 'medians of %d runs                first paint   ratio to bare   peak memory\n' "$runs"
for name in bare widgets harbour big; do
    case $name in
    bare) label="bare Qt window"; goal="" ;;
    widgets) label="Qt widgets, harbour layout"; goal="no goal: the editor's widgets without the editor" ;;
    harbour) label="editor, harbour page"; goal="goal <= 1.5 x, <= 60 MiB" ;;
    big) label="editor, 5,000 areas"; goal="goal <= 2 x, <= 60 MiB" ;;
    esac
    s=$(seconds "$name")
    awk -v l="$label" -v s="$s" -v b="$bare_s" -v k="$(peak "$name")" -v g="$goal" \
        'BEGIN { printf "%-32s %9.3f s   %9.2f x   %8.1f MiB   %s\n", l, s, s / b, k / 1024, g }'
done
