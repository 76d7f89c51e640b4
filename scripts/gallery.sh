#!/usr/bin/env bash
# Screenshots of every screen state of the real game, in a real X11 window
# on a virtual display, at 1920x1080 and at 1024x576:
#   scripts/gallery.sh [build-dir]        (default build/release)
# Writes docs/screenshots/<width>x<height>/<NN>-<state>.png, and the same
# game played by the keyboard alone (the focus on the menus, the tile cursor
# on the board) to docs/screenshots/keyboard/<width>x<height>/, and the main
# menu, How to Play, the credits and the settings in Russian, Japanese and
# Chinese to docs/screenshots/languages/<width>x<height>/<id>-<screen>.png.
#   GALLERY_ONLY=languages scripts/gallery.sh   takes only those.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build/release}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
command -v Xvfb >/dev/null || { echo "Xvfb is needed (apt-get install xvfb)" >&2; exit 1; }

cmake --build "$build" --target morvane_gallery
tool="$build/tools/gallery/morvane_gallery"

# A display number nobody uses.
display=93
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
  display=$((display + 1))
done
Xvfb ":$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  [ -e "/tmp/.X11-unix/X$display" ] && break
  sleep 0.1
done

# Unpaced and silent, in a real window of the virtual display.
unset SDL_VIDEODRIVER SDL_RENDER_DRIVER
export DISPLAY=":$display" SDL_RENDER_VSYNC=0 SDL_AUDIODRIVER=dummy

# Resolution 4 is 1920x1080, resolution 0 is 1024x576.
for pair in 4:1920x1080 0:1024x576; do
  resolution=${pair%%:*}
  size=${pair#*:}
  if [ "${GALLERY_ONLY:-}" != languages ]; then
    out="$root/docs/screenshots/$size"
    rm -f "$out"/[0-9][0-9]-*.png
    "$tool" "$resolution" "$out"
    keys="$root/docs/screenshots/keyboard/$size"
    rm -f "$keys"/[0-9][0-9]-*.png
    "$tool" "$resolution" "$keys" keys
  fi
  languages="$root/docs/screenshots/languages/$size"
  for id in ru_RU ja_JP zh_CN; do
    work=$(mktemp -d)
    "$tool" "$resolution" "$work" language "$id"
    mkdir -p "$languages"
    for shot in "$work"/[0-9][0-9]-*.png; do
      name=$(basename "$shot" .png)
      mv "$shot" "$languages/$id-${name#[0-9][0-9]-}.png"
    done
    rm -rf "$work"
  done
done
