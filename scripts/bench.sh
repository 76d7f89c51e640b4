#!/usr/bin/env bash
# Runs every benchmark of a built tree and prints one table: median, min and
# max over repeated runs (start-up: fresh processes; per-pass figures: 600
# passes). Builds nothing.
#
#   scripts/bench.sh [build-dir]        (default: build/release)
#
# Environment: BENCH_STARTUP_RUNS (10), BENCH_PASSES (600).
# The game runs headless: dummy video, software renderer, dummy audio.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/release}"
bench="$build/bench"
runs="${BENCH_STARTUP_RUNS:-10}"
passes="${BENCH_PASSES:-600}"

for program in bench_startup bench_frames bench_depack bench_languages; do
  if [[ ! -x "$bench/$program" ]]; then
    echo "bench.sh: $bench/$program is missing; build the tree first, e.g." >&2
    echo "  cmake --build $build" >&2
    exit 1
  fi
done

export SDL_VIDEODRIVER=dummy SDL_RENDER_DRIVER=software SDL_AUDIODRIVER=dummy LC_ALL=C.UTF-8

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
"$bench/bench_startup" "$runs" 9 | awk 'NR == 1 || /peak/'

for resolution in 4 9; do
  echo "-- the running game, resolution $resolution ($passes passes per state)"
  "$bench/bench_frames" "$resolution" "$passes"
done

echo "-- depacking (4 MB members, 30 runs)"
"$bench/bench_depack" 4 30 | awk 'NR > 1 {
  printf "%-52s %10.0f %10.0f %10.0f  %-6s %s\n", "depack " $1 " (MB/s)", $5, $7, $6, "MB/s", ""
  printf "%-52s %10.0f %10s %10s  %-6s %s\n", "  by CPU time", $8, "-", "-", "MB/s", ""
}'
echo "-- language sources (20 runs; peak memory of a fresh process each)"
"$bench/bench_languages" 20
echo
echo "load average after the run: $(cut -d' ' -f1-3 /proc/loadavg)"
