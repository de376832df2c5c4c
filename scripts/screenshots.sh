#!/usr/bin/env bash
# Remakes the screenshots of the manual and the README: runs the editor on a virtual screen with
# examples/harbour.htm and writes doc/images/editor.png, toolbar.png and settings.png.
#   scripts/screenshots.sh [BUILD-FOLDER]     (display number: SCREENSHOT_DISPLAY, default 99)
# Needs xvfb, xdotool, imagemagick and python3.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
display=:${SCREENSHOT_DISPLAY:-99}
out=doc/images
window_width=1024
window_height=700

for tool in Xvfb xdotool import convert python3; do
  command -v "$tool" > /dev/null || { echo "screenshots: $tool is missing (apt-get install xvfb xdotool imagemagick python3)" >&2; exit 1; }
done
scripts/build.sh "$build" > /dev/null

scratch=$(mktemp -d)
maps=
xvfb_pid=
editor_pid=
cleanup() {
  if [[ -n "$editor_pid" ]]; then kill "$editor_pid" 2>/dev/null || true; fi
  if [[ -n "$xvfb_pid" ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$scratch" "$maps"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1280x960x24 -nolisten tcp > "$scratch/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xdotool getdisplaygeometry > /dev/null 2>&1 && break; sleep 0.1; done
sleep 0.5
if ! kill -0 "$xvfb_pid" 2>/dev/null; then
  xvfb_pid=
  echo "screenshots: display $display is in use; choose another with SCREENSHOT_DISPLAY" >&2
  exit 1
fi

# A fresh user: default settings and window place, and a copy of the example so nothing is changed,
# in a folder whose name reads well in the picture's title.
export XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_STYLE_OVERRIDE=Fusion QT_QPA_PLATFORMTHEME= LANG=C.UTF-8
example_folder=${TMPDIR:-/tmp}/mapwright-example
mkdir -m 700 "$example_folder" || { echo "screenshots: $example_folder is in the way" >&2; exit 1; }
maps=$example_folder
cp examples/harbour.htm examples/harbour.png "$maps/"

editor=$(realpath "$build/mapwright")
(cd "$maps" && exec "$editor" harbour.htm) > "$scratch/editor.log" 2>&1 &
editor_pid=$!
main_window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$editor_pid" --name 'Mapwright' | head -n 1) \
  || { cat "$scratch/editor.log" >&2; echo "screenshots: the editor showed no window" >&2; exit 1; }
xdotool windowmove "$main_window" 0 0 windowsize "$main_window" "$window_width" "$window_height"
sleep 1.5

shoot_screen() { import -display "$display" -window root -crop "${window_width}x${window_height}+0+0" +repage "$1"; }

# Finds where a picture is shown at 100 % on a screenshot: the screen position of its top-left pixel.
find_picture() {
  python3 - "$1" "$2" <<'EOF'
import subprocess, sys
def rgb(path):
    size = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True, text=True, check=True).stdout.split()
    data = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
    return int(size[0]), int(size[1]), data
width, _, screen = rgb(sys.argv[1])
picture_width, _, picture = rgb(sys.argv[2])
row = picture[:3 * min(picture_width, 24)]
start = 0
while True:
    at = screen.find(row, start)
    if at < 0:
        sys.exit("the picture is not on the screen")
    if at % 3 == 0:
        pixel = at // 3
        print(pixel % width, pixel // width)
        break
    start = at + 1
EOF
}

# Select the lighthouse, the first area, so the form shows its attributes.
shoot_screen "$scratch/screen.png"
read -r picture_x picture_y < <(find_picture "$scratch/screen.png" examples/harbour.png)
xdotool mousemove --sync $((picture_x + 75)) $((picture_y + 85)) click 1
xdotool mousemove --sync $((picture_x + 200)) $((picture_y + 100))
sleep 0.8
mkdir -p "$out"
shoot_screen "$out/editor.png"

# The toolbar: the band of buttons around the New button's green plus, up to its last button (the
# document window's own buttons at the far right left out).
python3 - "$out/editor.png" > "$scratch/toolbar-band" <<'EOF'
import subprocess, sys
size = subprocess.run(["identify", "-format", "%w %h", sys.argv[1]], capture_output=True, text=True, check=True).stdout.split()
width = int(size[0])
data = subprocess.run(["convert", sys.argv[1], "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
at = data.find(bytes([0x4e, 0x9a, 0x06]))
while at >= 0 and at % 3:
    at = data.find(bytes([0x4e, 0x9a, 0x06]), at + 1)
if at < 0:
    sys.exit("no toolbar found")
icon_top = (at // 3) // width - 9
def pixel(x, y):
    i = 3 * (y * width + x)
    return data[i:i + 3]
# The last column that differs from the toolbar's own ground, taken well left of the far right.
ground_x = width - 100
def busy(x):
    return any(sum(abs(a - b) for a, b in zip(pixel(x, y), pixel(ground_x, y))) > 60
               for y in range(icon_top, icon_top + 16))
print(icon_top, max(x for x in range(ground_x) if busy(x)))
EOF
read -r icon_top toolbar_right < "$scratch/toolbar-band"
convert "$out/editor.png" -crop "$((toolbar_right + 8))x26+0+$((icon_top - 5))" +repage "$out/toolbar.png"

# The Settings dialog, from Edit > Settings...
xdotool key --window "$main_window" alt+e
sleep 0.5
xdotool key s
settings_window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Settings$' | head -n 1) \
  || { echo "screenshots: the Settings dialog did not open" >&2; exit 1; }
sleep 0.8
import -display "$display" -window "$settings_window" "$out/settings.png"

echo "screenshots: wrote $out/editor.png, $out/toolbar.png and $out/settings.png"
