#!/usr/bin/env bash
# One picture showing every picture the content build made, each labelled
# with its member name and size, so the whole set can be judged at a glance:
#   scripts/contact_sheet.sh <build-or-game-folder> <out.png>
# Transparent pictures are shown on a checkerboard so their edges show.
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: $0 <build-or-game-folder> <out.png>" >&2
  exit 2
fi
dir=$(readlink -f "$1")
out=$2
# a game folder sits inside the build folder
if [ ! -d "$dir/content" ] && [ -d "$dir/../content" ]; then
  dir=$(readlink -f "$dir/..")
fi
if [ ! -d "$dir/content" ]; then
  echo "no content folder under $1" >&2
  exit 1
fi
command -v montage >/dev/null || { echo "imagemagick (montage) is needed" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Panels and small pictures first, then the tiles, then the artwork.
mapfile -t pictures < <(find "$dir/content" -name '*.png' ! -name 'raw-*' ! -path '*/cursor/*' | sort)
if [ ${#pictures[@]} -eq 0 ]; then
  echo "no pictures found under $dir/content" >&2
  exit 1
fi
order() {  # artwork last, tiles after the rest
  local base=$1
  case "$base" in
    title_*|ngs_*|01_*) echo 3 ;;
    tile[0-9]*|selected.png) echo 2 ;;
    *) echo 1 ;;
  esac
}
list=()
for group in 1 2 3; do
  for p in "${pictures[@]}"; do
    base=$(basename "$p")
    [ "$(order "$base")" = "$group" ] && list+=("$p")
  done
done

convert -size 320x320 pattern:checkerboard -auto-level +level 38%,52% "$work/checker.png"
i=0
for p in "${list[@]}"; do
  base=$(basename "$p")
  size=$(identify -format '%wx%h' "$p[0]")
  bytes=$(stat -c %s "$p")
  label="$base  $size  $((bytes / 1024)) KB"
  thumb=$(printf '%s/%03d.png' "$work" "$i")
  convert "$work/checker.png" \( "$p" -resize 300x300 \) -gravity center -composite \
    -set label "$label" "$thumb"
  i=$((i + 1))
done
montage "$work"/[0-9]*.png -tile 8x -geometry 320x320+8+8 -pointsize 14 \
  -background '#2b2436' -fill '#f4ead8' "$out"
echo "$out: ${#list[@]} pictures"
