#!/usr/bin/env bash
# The real game in a window of a virtual X display (Xvfb) or of a headless
# Wayland compositor (sway), left in its main menu with the pointer outside
# the window: the time from its start to its window on the display, the
# share of one core it uses at rest, sampled from /proc/<pid>/stat, and its
# peak resident memory (VmHWM) through start-up and the menu.
#
#   bench/menu_at_rest.sh [build-dir] [resolution] [seconds] [x11|wayland]
#
# Resolution is the preferences' index (0 = 1024x576, the default); the game
# runs windowed with music on (sound: the dummy driver, as on a machine
# without a sound card). On X11 the game shows its frames through the
# window's own surface; on Wayland, which has none, through SDL's renderer:
# without a graphics card that is Mesa's software rasteriser (llvmpipe), and
# the script says which it found. Prints table rows in the format of
# scripts/bench.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
resolution=${2:-0}
seconds=${3:-20}
kind=${4:-x11}
[ -x "$build/game/morvane" ] || { echo "menu_at_rest.sh: $build/game/morvane is missing" >&2; exit 1; }

sizes=(1024x576 1280x720 1366x768 1600x900 1920x1080 2048x1152 2560x1440 2880x1620 3200x1800 3840x2160)
size=${sizes[$resolution]}

folder=$(mktemp -d)
chmod 711 "$folder"
server= game= pointer=
cleanup() {
  [ -n "$game" ] && kill -TERM "$game" 2>/dev/null && wait "$game" 2>/dev/null
  [ -z "$pointer" ] || kill "$pointer" 2>/dev/null || true
  kill "$server" 2>/dev/null || true
  wait "$server" 2>/dev/null || true
  rm -rf "$folder"
}
trap cleanup EXIT
if [ "$kind" = wayland ]; then
  command -v sway >/dev/null || { echo "menu_at_rest.sh: sway is needed" >&2; exit 1; }
  # sway refuses to run as root: then it runs as nobody, in a folder of its own.
  mkdir -m 700 "$folder/sway"
  printf 'xwayland disable\noutput HEADLESS-1 resolution 3840x2160\nfor_window [title="^Morvane"] floating enable\n' >"$folder/sway/config"
  as=()
  [ "$(id -u)" -ne 0 ] || { as=(setpriv --reuid=nobody --regid=nogroup --clear-groups); chown -R nobody:nogroup "$folder/sway"; }
  "${as[@]}" env -i PATH="$PATH" HOME="$folder/sway" XDG_RUNTIME_DIR="$folder/sway" WLR_BACKENDS=headless \
    WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 sway -c "$folder/sway/config" >/dev/null 2>&1 &
  server=$!
  for _ in $(seq 100); do compgen -G "$folder/sway/sway-ipc.*.sock" >/dev/null && compgen -G "$folder/sway/wayland-?" >/dev/null && break; sleep 0.1; done
  export SWAYSOCK=$(compgen -G "$folder/sway/sway-ipc.*.sock") WAYLAND_DISPLAY=$(compgen -G "$folder/sway/wayland-?") SDL_VIDEODRIVER=wayland
  place="under sway"
  # The window counts as shown once the compositor has it mapped at its size.
  shown() { swaymsg -t get_tree | grep -q '"name": "Morvane'; }
else
  command -v Xvfb >/dev/null || { echo "menu_at_rest.sh: Xvfb is needed" >&2; exit 1; }
  display=90
  while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
  Xvfb ":$display" -screen 0 3840x2160x24 -nolisten tcp >/dev/null 2>&1 &
  server=$!
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
  export DISPLAY=":$display"
  unset SDL_VIDEODRIVER
  xdotool mousemove 0 0
  place="in Xvfb"
  shown() { xdotool search --onlyvisible --name '^Morvane' >/dev/null 2>&1; }
fi

# A portable copy: preferences beside the program keep every file there.
cp -r "$build/game/." "$folder/"
printf '\xef\xbb\xbf\r\n[Settings]\r\nLanguage = en_GB\r\nMusic = 1\r\nGameScreen = 1\r\nResolution = %s\r\nCompleted = 0\r\nSounds = 1\r\nMusicVolume = 100\r\n' \
  "$resolution" > "$folder/Morvane.prefs"

export SDL_AUDIODRIVER=dummy
unset SDL_RENDER_DRIVER
started=$(date +%s%N)
"$folder/morvane" >/dev/null 2>&1 &
game=$!
for _ in $(seq 3000); do shown && break; kill -0 "$game" || exit 1; sleep 0.01; done
window_ms=$((($(date +%s%N) - started) / 1000000))

# The splash (100 frames) and the title intro (125 frames) pass, then the
# menu rests; the pointer stays outside the centred window.
sleep 8
if grep -q swrast_dri "/proc/$game/maps"; then
  shown_through="SDL's renderer on Mesa's software rasteriser (llvmpipe)"
elif grep -q '_dri\.so' "/proc/$game/maps"; then
  shown_through="SDL's renderer on a graphics card"
else
  shown_through="the window's own surface"
fi
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
row "window on the display, $size $place" "$window_ms" - - "ms" ""
row "main menu at rest, $size $place ($seconds s)" "$share" - - "%" "$target_cpu"
row "  peak resident to that point, $size $place" "$peak" - - "MB" "$target_mb"
echo "  frames shown through $shown_through"
