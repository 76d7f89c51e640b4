#!/usr/bin/env bash
# Runs every benchmark of a built tree and prints one table: median, min and
# max over repeated runs, each figure beside its target. Builds nothing.
#
#   scripts/bench.sh [build-dir]        (default: build/release)
#
# Environment: BENCH_STARTUP_RUNS (10), BENCH_PASSES (600), BENCH_REST_SECONDS (20).
# Headless figures use the dummy video and audio drivers; the Xvfb figures
# run the game in a window of a virtual X display.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/release}"
bench="$build/bench"
runs="${BENCH_STARTUP_RUNS:-10}"
passes="${BENCH_PASSES:-600}"
rest="${BENCH_REST_SECONDS:-20}"

for program in bench_startup bench_frames bench_depack bench_languages; do
  if [[ ! -x "$bench/$program" ]]; then
    echo "bench.sh: $bench/$program is missing; build the tree first, e.g." >&2
    echo "  cmake --build $build" >&2
    exit 1
  fi
done

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy LC_ALL=C.UTF-8

row() { printf '%-52s %10s %10s %10s  %-6s %s\n' "$@"; }

echo "Morvane benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(nproc) cores," \
     "$(awk '/MemTotal/ {printf "%.1f GB", $2 / 1048576}' /proc/meminfo)," \
     "$( . /etc/os-release && echo "$PRETTY_NAME"), load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "build: $build"
echo
row measure median min max unit target

echo "-- start-up ($runs fresh processes each)"
"$bench/bench_startup" "$runs" 4
echo "-- the same on one core"
taskset -c 0 "$bench/bench_startup" "$runs" 4 | awk 'NR <= 2'
"$bench/bench_startup" "$runs" 9 | awk 'NR == 1 || /peak/'

for resolution in 4 9; do
  echo "-- the running game, resolution $resolution ($passes passes per state)"
  "$bench/bench_frames" "$resolution" "$passes"
done

echo "-- in a window of a virtual X display (Xvfb), 1024x576"
"$root/bench/menu_at_rest.sh" "$build" 0 "$rest"
display=80
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
DISPLAY=":$display" SDL_VIDEODRIVER=x11 "$bench/bench_frames" 0 "$passes" |
  grep -E 'INSANE, full board moving|peak resident, start-up'

if command -v sway >/dev/null; then
  echo "-- in a window of a headless Wayland compositor (sway), 1024x576"
  "$root/bench/menu_at_rest.sh" "$build" 0 "$rest" wayland
fi

echo "-- depacking (4 MB members, 30 runs)"
"$bench/bench_depack" 4 30 | awk 'NR > 1 {
  printf "%-52s %10.0f %10.0f %10.0f  %-6s %s\n", "depack " $1 " (MB/s)", $5, $7, $6, "MB/s", ""
  printf "%-52s %10.0f %10s %10s  %-6s %s\n", "  by CPU time", $8, "-", "-", "MB/s", ""
}'
echo "-- language sources (20 runs; peak memory of a fresh process each)"
"$bench/bench_languages" 20
echo
echo "load average after the run: $(cut -d' ' -f1-3 /proc/loadavg)"
