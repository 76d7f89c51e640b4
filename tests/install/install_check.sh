#!/usr/bin/env bash
# Installs the game into a temporary prefix, starts the installed launcher
# headless, waits for the end of its start-up, ends it with SIGTERM and checks
# that it wrote its files into the per-user folder and nothing into the tree.
set -euo pipefail
build_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"

cmake --install "$build_dir" --prefix "$prefix" >/dev/null
for f in bin/morvane lib/morvane/morvane lib/morvane/Morvane.data lib/morvane/Morvane.pointer \
         lib/morvane/Morvane.languages/en_GB.language \
         share/applications/example.zentoria.Morvane.desktop \
         share/metainfo/example.zentoria.Morvane.metainfo.xml \
         share/icons/hicolor/scalable/apps/example.zentoria.Morvane.svg \
         share/icons/hicolor/128x128/apps/example.zentoria.Morvane.png \
         share/doc/morvane/LICENSE; do
  [ -e "$prefix/$f" ] || { echo "missing after install: $f"; exit 1; }
done

chmod -R a-w "$prefix"
before=$(cd "$prefix" && find . | sort | md5sum)

export XDG_DATA_HOME="$work/data" SDL_VIDEODRIVER=dummy SDL_RENDER_DRIVER=software SDL_AUDIODRIVER=dummy
user_dir="$XDG_DATA_HOME/Quillfen game studio/Morvane"
"$prefix/bin/morvane" /LOG &
pid=$!
started=0
for _ in $(seq 1 300); do
  if grep -qs "OffsetY:" "$user_dir"/Log*.log 2>/dev/null; then started=1; break; fi
  sleep 0.1
done
sleep 0.5
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
chmod -R u+w "$prefix"

[ "$started" = 1 ] || { echo "the installed game did not finish its start-up"; exit 1; }
[ "$status" = 0 ] || { echo "the installed game ended with status $status"; exit 1; }
[ -f "$user_dir/Morvane.prefs" ] || { echo "no preferences in the per-user folder"; exit 1; }
[ -f "$user_dir/Morvane.scores" ] || { echo "no progress in the per-user folder"; exit 1; }
after=$(cd "$prefix" && find . | sort | md5sum)
[ "$before" = "$after" ] || { echo "the game wrote into the installed tree"; exit 1; }
echo "install check passed"
