#!/usr/bin/env bash
# The real game in a window of a virtual X display (Xvfb), left in its main
# menu with the pointer outside the window: the share of one core it uses
# there, sampled from /proc/<pid>/stat, and its peak resident memory
# (VmHWM) through start-up and the menu.
#
#   bench/menu_at_rest.sh [build-dir] [resolution] [seconds]
#
# Resolution is the preferences' index (0 = 1024x576, the default); the game
# runs windowed with music on, its own choice of video and sound drivers on
# the virtual display (sound: the dummy driver, as on a machine without a
# sound card). Prints two table rows in the format of scripts/bench.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
resolution=${2:-0}
seconds=${3:-20}
command -v Xvfb >/dev/null || { echo "menu_at_rest.sh: Xvfb is needed" >&2; exit 1; }
[ -x "$build/game/morvane" ] || { echo "menu_at_rest.sh: $build/game/morvane is missing" >&2; exit 1; }

sizes=(1024x576 1280x720 1366x768 1600x900 1920x1080 2048x1152 2560x1440 2880x1620 3200x1800 3840x2160)
size=${sizes[$resolution]}

folder=$(mktemp -d)
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 3840x2160x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
game=
cleanup() {
  [ -n "$game" ] && kill -TERM "$game" 2>/dev/null && wait "$game" 2>/dev/null
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  rm -rf "$folder"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done

# A portable copy: preferences beside the program keep every file there.
cp -r "$build/game/." "$folder/"
printf '\xef\xbb\xbf\r\n[Settings]\r\nLanguage = en_GB\r\nMusic = 1\r\nGameScreen = 1\r\nResolution = %s\r\nCompleted = 0\r\nSounds = 1\r\nMusicVolume = 100\r\n' \
  "$resolution" > "$folder/Morvane.prefs"

export DISPLAY=":$display" SDL_AUDIODRIVER=dummy
unset SDL_VIDEODRIVER SDL_RENDER_DRIVER
xdotool mousemove 0 0
"$folder/morvane" >/dev/null 2>&1 &
game=$!

# The splash (100 frames) and the title intro (125 frames) pass, then the
# menu rests; the pointer stays in the corner, outside the centred window.
sleep 8
ticks() { awk '{print $14 + $15}' "/proc/$game/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks)
start=$(date +%s.%N)
sleep "$seconds"
after=$(ticks)
end=$(date +%s.%N)
peak=$(awk '/VmHWM/ {printf "%.1f", $2 / 1024}' "/proc/$game/status")
share=$(awk -v t="$((after - before))" -v hz="$hz" -v a="$start" -v b="$end" 'BEGIN {printf "%.2f", 100 * t / hz / (b - a)}')

row() { printf '%-52s %10s %10s %10s  %-6s %s\n' "$@"; }
target_cpu="" target_mb=""
[ "$resolution" = 0 ] && target_cpu="<= 10 %" && target_mb="< 110 MB"
row "main menu at rest, $size in Xvfb ($seconds s)" "$share" - - "%" "$target_cpu"
row "  peak resident to that point, $size in Xvfb" "$peak" - - "MB" "$target_mb"
