#!/usr/bin/env bash
# The installed game, two ways; each run starts it headless, waits for the end
# of its start-up, ends it with SIGTERM and checks its files in the per-user folder.
#   install_check.sh prefix BUILD_DIR           cmake --install into a temporary
#       prefix, made read-only: the game must not write into it.
#   install_check.sh package BUILD_DIR VERSION  builds the Debian package, checks
#       its control fields, file list and lintian; as root it also installs it
#       with apt, starts it from its menu entry, purges it and checks that
#       nothing of it is left.
set -euo pipefail
mode=$1 build_dir=$2 version=${3:-}
work=$(mktemp -d)
chmod 755 "$work"  # apt reads the package as its own unprivileged user
installed=0
trap '[ $installed = 0 ] || apt-get purge -y -qq morvane >/dev/null; chmod -R u+w "$work"; rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }

files=(games/morvane share/games/morvane/Morvane.data share/games/morvane/Morvane.pointer
       share/games/morvane/Morvane.languages/en_GB.language
       share/applications/example.zentoria.Morvane.desktop
       share/metainfo/example.zentoria.Morvane.metainfo.xml
       share/icons/hicolor/scalable/apps/example.zentoria.Morvane.svg
       share/icons/hicolor/128x128/apps/example.zentoria.Morvane.png
       share/man/man6/morvane.6.gz share/doc/morvane/copyright share/doc/morvane/changelog.gz)

run_game() {  # expected GameDir, command...
  local game_dir=$1 pid started=0 status=0
  shift
  local user_dir="$work/data/Quillfen game studio/Morvane"
  HOME="$work/home" XDG_DATA_HOME="$work/data" SDL_VIDEODRIVER=dummy SDL_RENDER_DRIVER=software \
    SDL_AUDIODRIVER=dummy "$@" /LOG &
  pid=$!
  for _ in $(seq 1 300); do
    if grep -qs "OffsetY:" "$user_dir"/Log*.log; then started=1; break; fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  sleep 0.5
  kill -TERM "$pid" 2>/dev/null || true
  wait "$pid" || status=$?
  [ "$started" = 1 ] || fail "the installed game did not finish its start-up"
  [ "$status" = 0 ] || fail "the installed game ended with status $status"
  grep -qF $'GameDir:\t\t'"$game_dir"$'\r' "$user_dir"/Log*.log || fail "the log does not name $game_dir"
  for file in Morvane.prefs Morvane.scores; do [ -f "$user_dir/$file" ] || fail "no $file in the per-user folder"; done
}

if [ "$mode" = prefix ]; then
  prefix="$work/prefix"
  cmake --install "$build_dir" --prefix "$prefix" >/dev/null
  for f in "${files[@]}"; do [ -e "$prefix/$f" ] || fail "missing after install: $f"; done
  chmod -R a-w "$prefix"
  before=$(cd "$prefix" && find . | sort | md5sum)
  run_game "$prefix/share/games/morvane/" "$prefix/games/morvane"
  chmod -R u+w "$prefix"
  [ "$before" = "$(cd "$prefix" && find . | sort | md5sum)" ] || fail "the game wrote into the installed tree"
  echo "install check passed"
  exit 0
fi

arch=$(dpkg --print-architecture) multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch)
cpack --config "$build_dir/CPackConfig.cmake" -B "$work/deb" >/dev/null
deb=$(echo "$work"/deb/morvane_*.deb)
for check in "Package morvane" "Version $version" "Section games" "Architecture $arch"; do
  [ "$(dpkg-deb -f "$deb" "${check% *}")" = "${check#* }" ] || fail "control field is not $check"
done
# Every library the program links must be a dependency, with the version
# dpkg-shlibdeps works out (none where every symbol used is as old as the
# library itself, as with libX11).
depends=", $(dpkg-deb -f "$deb" Depends),"
dpkg-deb -x "$deb" "$work/root"
for lib in $(objdump -p "$work/root/usr/games/morvane" | awk '/NEEDED/ {print $2}'); do
  # The architecture's own library folder first (libc6-i386 has a libm.so.6 too), then
  # any (libunibreak1 installs into /usr/lib, without :arch).
  owner=$(dpkg -S "*/$multiarch/$lib" 2>/dev/null || dpkg -S "*/$lib" 2>/dev/null || true)
  owner=$(sed -n "s/\(:$arch\)\{0,1\}: .*//p" <<<"$owner")
  owner=${owner%%$'\n'*}
  [[ "$depends" == *", $owner ("* || "$depends" == *", $owner,"* ]] || fail "$lib (from $owner) is not among the dependencies: $depends"
done
listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in "${files[@]}"; do grep -qx "./usr/$f" <<<"$listing" || fail "missing from the package: /usr/$f"; done
stray=$(grep -v '/$' <<<"$listing" | grep -vE '^\./usr/(games/morvane$|share/(games/morvane|applications|metainfo|icons/hicolor|man/man6|doc/morvane)/)' || true)
[ -z "$stray" ] || fail "files outside the game's folders: $stray"
lintian --fail-on error,warning --pedantic "$deb" 2>/dev/null || fail "lintian reports errors or warnings"
dpkg-deb -f "$deb"

if [ "$(id -u)" != 0 ] || dpkg -s morvane >/dev/null 2>&1; then
  echo "package checks passed; installing it with apt SKIPPED (needs root and no morvane installed)"
  exit 0
fi
installed=1
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o DPkg::Lock::Timeout=120 "$deb" >/dev/null
dpkg -L morvane >"$work/list"
# Started as the menu starts it, with the PATH a player has on Debian.
player_path=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games
[ "$(PATH=$player_path command -v morvane)" = /usr/games/morvane ] || fail "morvane is not on the PATH"
command=$(sed -n 's/^Exec=//p' /usr/share/applications/example.zentoria.Morvane.desktop)
run_game /usr/share/games/morvane/ env PATH="$player_path" $command
DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq -o DPkg::Lock::Timeout=120 morvane >/dev/null
installed=0
! dpkg -s morvane >/dev/null 2>&1 || fail "morvane is still installed"
while read -r path; do  # a folder another package shares may stay
  [ ! -e "$path" ] || { [ -d "$path" ] && dpkg -S "$path" >/dev/null 2>&1; } || fail "left behind: $path"
done <"$work/list"
echo "package installed with apt, ran from its menu entry ($command), and purged without a trace"
