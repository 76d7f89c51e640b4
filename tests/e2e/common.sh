# Shared by the end-to-end scripts (sourced; $1 is the build folder): the work folder and its
# clean-up, waiting, the game and its files, reading screenshots and where the panels lie. Each
# script defines screenshot FILE, point X Y and click X Y for its display.
BUILD=$(readlink -f "${1:?usage: $0 BUILD_DIR}")
LOOK="$BUILD/tests/e2e_look"
[ -x "$BUILD/game/morvane" ] && [ -x "$LOOK" ] || { echo "FAIL: no game or screenshot reader in $BUILD"; exit 1; }
WORK=$(mktemp -d /tmp/morvane-e2e.XXXXXX)
GAME="$WORK/game" SHOTS="$WORK/shots" GAME_PID="" SERVERS=() STARTED=$(date +%s)
mkdir -p "$SHOTS"
cleanup() {
  local rc=$? pid
  [ -z "$GAME_PID" ] || kill -KILL "$GAME_PID" 2>/dev/null
  for pid in "${SERVERS[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
  if [ "$rc" -eq 0 ]; then rm -rf "$WORK"; else echo "Kept for inspection: $WORK"; fi
}
trap cleanup EXIT
trap "exit 1" TERM INT HUP  # a stopped test still ends the game and the servers
say() { echo "[$(($(date +%s) - STARTED))s] $*"; }
fail() { say "FAIL: $*"; exit 1; }
# Runs a command until it succeeds; fails after `seconds` or when the game has ended.
until_ok() {  # seconds what command...
  local deadline=$(($(date +%s) + $1)) what=$2; shift 2
  until "$@"; do
    [ -z "$GAME_PID" ] || kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended unexpectedly (see $WORK/game.out)"
    [ "$(date +%s)" -lt "$deadline" ] || fail "$what"
    sleep 0.1
  done
}
needs() { for tool in "$@"; do command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 1; }; done; }

cp -r "$BUILD/game/." "$GAME/"
mkdir -p "$GAME" && rm -f "$GAME"/Morvane.prefs "$GAME"/Morvane.scores "$GAME"/Log*.log "$GAME"/Morvane\ *.bmp
prefs_text() {  # music gamescreen [resolution]
  printf '\xEF\xBB\xBF\r\n; Morvane Preferences\r\n[Settings]\r\nLanguage = en_GB\r\nMusic = %s\r\nGameScreen = %s\r\nResolution = %s\r\nCompleted = 0\r\nSounds = 1\r\nMusicVolume = 100\r\n' "$1" "$2" "${3:-1}"
}
scores_text() {  # best of level 1: level 1 and 2 open
  printf '%s\r\n0\r\n0\r\n0\r\n' "$1"
  for _ in $(seq 3 25); do printf '0\r\n1\r\n'; done
}
export XDG_DATA_HOME="$WORK/xdg"
start_game() {  # VARIABLE=value... for the game's environment
  (cd "$GAME" && exec env -u SDL_VIDEODRIVER -u SDL_RENDER_DRIVER SDL_AUDIODRIVER=dummy "$@" ./morvane /LOG) >>"$WORK/game.out" 2>&1 & GAME_PID=$!
}
finish_game() {  # leaves the exit status in GAME_STATUS
  local pid=$GAME_PID; GAME_PID=""
  until_ok 20 "the game did not end" ended_pid "$pid"
  wait "$pid"; GAME_STATUS=$?
}
ended_pid() { ! kill -0 "$1" 2>/dev/null; }
# The display went away: both files written again, one log line saying why, a non-zero status.
lost_display() {  # why
  finish_game; [ "$GAME_STATUS" -ne 0 ] || fail "the game ended with status 0 when its display went away"
  local log file; log=$(ls -t "$GAME"/Log*.log | head -n 1)
  for file in Morvane.prefs Morvane.scores; do [ "$GAME/$file" -nt "$WORK/mark" ] || fail "$file was not saved"; done
  [ "$(grep -c "^Display lost:" "$log")" -eq 1 ] && grep -qxF $'Display lost:\t\t'"$1"$'\r' "$log" || fail "no line on the lost display in $log"
}

W=1920 H=1080 OX=0 OY=0
shot() { screenshot "$SHOTS/$1.ppm" 2>/dev/null || fail "screenshot failed"; }
count() { "$LOOK" count "$SHOTS/$1.ppm" $((OX + $2)) $((OY + $3)) "$4" "$5" "$6" "$7" "$8" "${9:-30}"; }  # shot x y w h r g b [tolerance]
mad() { "$LOOK" mad "$SHOTS/$1.ppm" "$SHOTS/$2.ppm" $((OX + $3)) $((OY + $4)) "$5" "$6"; }  # shotA shotB x y w h
below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }
# The strip at x y w h shows the hover colour (219, 63, 81) with the pointer on it.
hovered() { point $(($1 + $3 / 2)) $(($2 + $4 / 2)) && shot hover && [ "$(count hover "$@" 219 63 81 15)" -ge 80 ]; }
# A panel that slid in and rests: the area differs from a reference, shows a landmark
# patch of a known colour and stays unchanged over three screenshots 0.3 s apart.
at_rest() {  # reference x y w h landmark-x y w h r g b
  shot rest1 && [ "$(count rest1 "${@:6:7}")" -ge 15 ] && ! below "$(mad "$1" rest1 "${@:2:4}")" 2 &&
    sleep 0.3 && shot rest2 && below "$(mad rest1 rest2 "${@:2:4}")" 0.01 &&
    sleep 0.3 && shot rest3 && below "$(mad rest1 rest3 "${@:2:4}")" 0.01
}
still() { shot rest1 && sleep 0.3 && shot rest2 && below "$(mad rest1 rest2 "$@")" 0.01; }
# From the main menu at rest: Quit, YES on the confirmation once it rests, and an end with status 0.
quit_by_menu() {  # run
  until_ok 20 "no hover on Quit" hovered "$MM_X" "$QUIT_Y" "$MM_W" "$STRIP" && cp "$SHOTS/hover.ppm" "$SHOTS/before_quit.ppm"
  click $((W / 2)) $((QUIT_Y + STRIP / 2))
  until_ok 20 "the quit confirmation did not come to rest" at_rest before_quit "$MM_X" $((QC_REF + 1)) "$MM_W" "$IG_H" \
    "$YES_X" $((QC_REF + IG_H * 826 / 1118)) "$YES_W" "$YES_H" 79 166 121
  click "$YES_CX" $((QC_REF + IG_H * 875 / 1118))
  finish_game; [ "$GAME_STATUS" -eq 0 ] || fail "$1 ended with status $GAME_STATUS"
}

# --- where the panels lie (integer arithmetic as the game lays them out) ----------
layout() {
  T=$(((W / 15) / 8 * 8))
  MM_H=$((H / 100 * 65)); MM_W=$((MM_H * 1030 / 1404)); MM_X=$((W / 2 - MM_W / 2))  # main menu: 65 %, 1030 x 1404
  MM_REST=$((H + 1 - 25 * (MM_H / 25 + 1))); STRIP=$(((MM_W * 90 * 2 + 1030) / 2060))
  PLAY_Y=$((MM_REST + MM_H * 260 / 1404)); SETTINGS_Y=$((MM_REST + MM_H * 580 / 1404)); QUIT_Y=$((MM_REST + MM_H * 1060 / 1404))
  LS_H=$((H / 100 * 75)); LS_W=$((LS_H * 1272 / 1601)); LS_X=$((W / 2 - LS_W / 2))  # level select: 75 %, 1272 x 1601
  LS_REF=$((H - 25 * (LS_H / 25 + 1)))
  LS_CLOSE="$((LS_X + LS_W * 1140 / 1272)) $((LS_REF + LS_H * 104 / 1601)) $((LS_W * 112 / 1272)) $((LS_H * 118 / 1601)) 200 83 91"
  CELL_X=$((LS_X + LS_W * 193 / 1272)); CELL_Y=$((LS_REF + LS_H * 416 / 1601))
  NEXT_Y=$((H - 25 * ((H - (H / 2 - MM_H / 2)) / 25 + 1) + MM_H * 740 / 1404))  # level finished, centred
  IG_H=$((MM_W * 1118 / 1030))  # in-game menu and confirmations: the main menu's width, 1030 x 1118
  IG_QUIT_Y=$((H - 25 * ((H - (H / 2 - IG_H / 2)) / 25 + 1) + IG_H * 680 / 1118))
  LEAVE_REF=$((H - 25 * ((H - (H / 2 - IG_H / 2)) / 25))); QC_REF=$((H - 25 * (IG_H / 25 + 1)))
  YES_X=$((MM_X + MM_W * 132 / 1030)); YES_W=$((MM_W * 100 / 1030)); YES_H=$((IG_H * 98 / 1118)); YES_CX=$((YES_X + YES_W / 2))
  ST_H=$((H / 100 * 65)); ST_W=$((ST_H * 1262 / 1120)); ST_X=$((W / 2 - ST_W / 2))  # settings: 65 %, 1262 x 1120
  ST_REF=$((H - 25 * (ST_H / 25 + 1))); ST_STRIP=$(((ST_W * 65 * 2 + 1262) / 2524))
  MUSIC_Y=$((ST_REF + ST_H * 380 / 1120)); MODE_Y=$((ST_REF + ST_H * 580 / 1120)); RES_Y=$((ST_REF + ST_H * 680 / 1120))
  ROW_X=$((ST_X + ST_W * 90 / 1262)); ROW_W=$((ST_W * 1082 / 1262))
  CONFIRM_X=$((ST_X + ST_W * 143 / 1262)); CONFIRM_Y=$((ST_REF + ST_H * 879 / 1120))
  CORNER_X=$((W - T / 2)); CORNER_Y=$((T / 2))
}
