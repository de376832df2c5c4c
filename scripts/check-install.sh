#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks what the desktop expects of it, then builds
# the Debian package and checks its contents and dependencies: check-install.sh [BUILD-FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
app_id=io.github.quillon.Mapwright
scratch=$(mktemp -d)
editor_pid=
cleanup() {
  if [[ -n "$editor_pid" ]]; then kill "$editor_pid" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT

failures=0
fail() { echo "check-install: $*" >&2; failures=$((failures + 1)); }

# The width and height stored in a PNG file's header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}'; }

icon_sizes=(16 22 24 32 48 64 128 256)
expected_files=(
  bin/mapwright bin/mapwright-cli
  share/applications/$app_id.desktop
  share/metainfo/$app_id.metainfo.xml
  share/icons/hicolor/scalable/apps/$app_id.svg
  share/man/man1/mapwright.1.gz share/man/man1/mapwright-cli.1.gz
  share/mapwright/manual.html
)
for size in "${icon_sizes[@]}"; do
  expected_files+=("share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done

echo "== install into a temporary prefix"
prefix=$scratch/usr
cmake --install "$build" --prefix "$prefix" > /dev/null

for file in "${expected_files[@]}"; do
  [[ -f "$prefix/$file" ]] || fail "not installed: $file"
done
for program in mapwright mapwright-cli; do
  [[ -x "$prefix/bin/$program" ]] || fail "bin/$program is not executable"
done
for size in "${icon_sizes[@]}"; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png
  [[ -f "$png" && $(png_size "$png") == "${size}x${size}" ]] || fail "$png is not a ${size}x${size} picture"
done

desktop_file=$prefix/share/applications/$app_id.desktop
if ! desktop-file-validate "$desktop_file" > "$scratch/validate.txt" 2>&1 \
    || grep -qE '(error|warning):' "$scratch/validate.txt"; then
  cat "$scratch/validate.txt" >&2
  fail "desktop-file-validate rejects the desktop entry"
fi
# The entry starts an installed program and names an installed icon.
exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop_file")
[[ -x "$prefix/bin/$exec_program" ]] || fail "Exec names $exec_program, which is not installed"
icon_name=$(sed -n 's/^Icon=//p' "$desktop_file")
[[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon_name.svg" ]] || fail "Icon names $icon_name, which is not installed"
for type in text/html image/gif image/jpeg image/png; do
  grep -q "^MimeType=.*$type;" "$desktop_file" || fail "the desktop entry does not open $type"
done

appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" || fail "appstreamcli rejects the metainfo"
appstreamcli validate-tree --no-net "$prefix" || fail "appstreamcli rejects the installed tree"

for page in mapwright mapwright-cli; do
  warnings=$(zcat "$prefix/share/man/man1/$page.1.gz" | LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z 2>&1)
  [[ -z "$warnings" ]] || fail "manual page $page: $warnings"
done

# Every picture and local link of the manual is installed beside it.
manual_dir=$prefix/share/mapwright
for reference in $(grep -oE '(src|href)="[^"#][^"]*"' "$manual_dir/manual.html" | sed -E 's/^[a-z]+="([^"]*)"$/\1/' | grep -v '^[a-z]*:'); do
  [[ -f "$manual_dir/$reference" ]] || fail "the manual refers to $reference, which is not installed"
done

# The installed programs run.
page=$("$prefix/bin/mapwright-cli" new examples/harbour.png) || fail "the installed mapwright-cli fails"
grep -q 'USEMAP="#harbour.png"' <<< "$page" || fail "the installed mapwright-cli made no map: $page"
areas=$("$prefix/bin/mapwright-cli" areas examples/harbour.htm) || fail "the installed mapwright-cli can't read the example"
[[ $(grep -o '"shape"' <<< "$areas" | wc -l) -eq 3 ]] || fail "the installed mapwright-cli did not find the example's three areas"

# Its own settings and runtime folder, so it neither touches the user's settings nor hands over to
# an editor already running.
mkdir -m 700 "$scratch/runtime"
XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/runtime QT_QPA_PLATFORM=offscreen "$prefix/bin/mapwright" > "$scratch/editor.log" 2>&1 &
editor_pid=$!
sleep 3
if kill -0 "$editor_pid" 2>/dev/null; then
  kill "$editor_pid"
  wait "$editor_pid" 2>/dev/null || true
else
  cat "$scratch/editor.log" >&2
  fail "the installed editor did not keep running"
fi
editor_pid=

echo "== Debian package"
rm -f "$build"/mapwright_*.deb
(cd "$build" && cpack -G DEB > "$scratch/cpack.log" 2>&1) || { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
package=$(ls "$build"/mapwright_*.deb 2>/dev/null | head -n 1)
if [[ -z "$package" ]]; then
  fail "cpack made no package"
else
  dpkg-deb -c "$package" | awk '{print $NF}' > "$scratch/contents.txt"
  for file in "${expected_files[@]}"; do
    grep -qxF "./usr/$file" "$scratch/contents.txt" || fail "the package lacks /usr/$file"
  done
  if grep -vE '^\./(usr/.*)?$' "$scratch/contents.txt"; then fail "the package installs outside /usr"; fi

  dpkg-deb -I "$package" > "$scratch/info.txt"
  depends=$(dpkg-deb -f "$package" Depends)
  depended_packages=$(tr ',' '\n' <<< "$depends" | awk '{print $1}')
  for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libgif7 libjpeg62-turbo libpng16-16 libqt6svg6 qt6-qpa-plugins; do
    grep -qxF "$library" <<< "$depended_packages" || fail "the package does not depend on $library: $depends"
  done
  for script in postinst postrm; do
    grep -qE "^ +[0-9]+ bytes, +[0-9]+ lines +\* +$script " "$scratch/info.txt" || fail "the package has no executable $script"
  done
  echo "$(basename "$package"): $(wc -l < "$scratch/contents.txt") entries; Depends: $depends"
fi

if [[ $failures -gt 0 ]]; then
  echo "check-install: $failures failures" >&2
  exit 1
fi
echo "check-install: the installed tree and the package are complete"
