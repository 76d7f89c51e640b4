#!/usr/bin/env bash
# End-to-end: the built game in a real X window (Xvfb), played as a player
# would with xdotool, read only from screenshots, its log and its files.
#
#   play_in_a_real_window.sh BUILD_DIR
#
# BUILD_DIR/game holds the built game folder, BUILD_DIR/tests/e2e_look the
# screenshot reader. Run 1 starts in full screen, clears level 1, leaves
# level 2, switches to a 1280x720 window in the settings (music off) and
# quits; run 2 clears level 1 again by the keyboard alone and ends the game
# with SIGTERM.
set -uo pipefail

BUILD=$(readlink -f "${1:?usage: $0 BUILD_DIR}")
GAME_SRC="$BUILD/game"
LOOK="$BUILD/tests/e2e_look"
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 1; }
done
[ -x "$GAME_SRC/morvane" ] || { echo "FAIL: no game at $GAME_SRC"; exit 1; }
[ -x "$LOOK" ] || { echo "FAIL: no screenshot reader at $LOOK"; exit 1; }

WORK=$(mktemp -d /tmp/morvane-e2e.XXXXXX)
GAME="$WORK/game"
SHOTS="$WORK/shots"
mkdir -p "$SHOTS"
XVFB_PID=""
GAME_PID=""
STARTED=$(date +%s)

cleanup() {
  local rc=$?
  if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then kill -KILL "$GAME_PID" 2>/dev/null; fi
  if [ -n "$XVFB_PID" ] && kill -0 "$XVFB_PID" 2>/dev/null; then kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; fi
  if [ "$rc" -eq 0 ]; then
    rm -rf "$WORK"
  else
    echo "Kept for inspection: $WORK"
  fi
}
trap cleanup EXIT
trap "exit 1" TERM INT HUP  # a stopped test still ends the game and the server

say() { echo "[$(($(date +%s) - STARTED))s] $*"; }
fail() {
  say "FAIL: $*"
  [ -f "$SHOTS/last.ppm" ] && cp "$SHOTS/last.ppm" "$WORK/failure.ppm"
  exit 1
}

# --- the X server -------------------------------------------------------------
# The server picks a free display number itself and writes it to the file.
Xvfb -displayfd 5 -screen 0 1920x1080x24 -nolisten tcp 5>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
for _ in $(seq 1 100); do
  [ -s "$WORK/display" ] && break
  kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb did not start"
  sleep 0.1
done
DISPLAY_NUMBER=$(head -n 1 "$WORK/display")
[ -n "$DISPLAY_NUMBER" ] || fail "Xvfb gave no display number"
export DISPLAY=":$DISPLAY_NUMBER"
for _ in $(seq 1 100); do
  xdotool getdisplaygeometry >/dev/null 2>&1 && break
  kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb did not start"
  sleep 0.1
done
[ "$(xdotool getdisplaygeometry)" = "1920 1080" ] || fail "Xvfb screen is not 1920x1080"

# --- the game folder ----------------------------------------------------------
cp -r "$GAME_SRC/." "$GAME/"
rm -f "$GAME"/Morvane.prefs "$GAME"/Morvane.scores "$GAME"/Log*.log "$GAME"/Morvane\ *.bmp
prefs_text() {  # music gamescreen
  printf '\xEF\xBB\xBF\r\n; Morvane Preferences\r\n[Settings]\r\nLanguage = en_GB\r\nMusic = %s\r\nGameScreen = %s\r\nResolution = 1\r\nCompleted = 0\r\nSounds = 1\r\nMusicVolume = 100\r\n' "$1" "$2"
}
prefs_text 1 0 >"$GAME/Morvane.prefs"
export XDG_DATA_HOME="$WORK/xdg"

start_game() {
  (cd "$GAME" && exec env -u SDL_VIDEODRIVER -u SDL_RENDER_DRIVER SDL_AUDIODRIVER=dummy ./morvane /LOG) >>"$WORK/game.out" 2>&1 &
  GAME_PID=$!
}
finish_game() {  # timeout seconds; leaves the exit status in GAME_STATUS
  local deadline=$(($(date +%s) + $1))
  while kill -0 "$GAME_PID" 2>/dev/null; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "the game did not end"
    sleep 0.1
  done
  wait "$GAME_PID"
  GAME_STATUS=$?
  GAME_PID=""
}
game_alive() { kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended unexpectedly (see $WORK/game.out)"; }

# --- looking and pointing -------------------------------------------------------
# Screen size of the game's picture and where it lies on the X screen.
W=1920 H=1080 OX=0 OY=0 FULLSCREEN=1 KEYS=0

shot() {  # name: a screenshot of the whole X screen as SHOTS/name.ppm
  import -window root -depth 8 "ppm:$SHOTS/$1.ppm" 2>/dev/null || fail "screenshot failed"
  cp "$SHOTS/$1.ppm" "$SHOTS/last.ppm"
}
# Pixels of the hover text colour in a rectangle of the game's picture.
hover_pixels() {  # shot x y w h
  "$LOOK" count "$SHOTS/$1.ppm" $((OX + $2)) $((OY + $3)) "$4" "$5" 219 63 81 15
}
colour_pixels() {  # shot x y w h r g b
  "$LOOK" count "$SHOTS/$1.ppm" $((OX + $2)) $((OY + $3)) "$4" "$5" "$6" "$7" "$8" 30
}
region_mad() {  # shotA shotB x y w h
  "$LOOK" mad "$SHOTS/$1.ppm" "$SHOTS/$2.ppm" $((OX + $3)) $((OY + $4)) "$5" "$6"
}
below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }

point() { xdotool mousemove $((OX + $1)) $((OY + $2)); }
click() {  # x y: press, hold briefly, release, and a short pause before the next
  xdotool mousemove $((OX + $1)) $((OY + $2)) mousedown 1 sleep 0.1 mouseup 1 sleep 0.1
}

# Areas without a hover look (answers, confirm, cells) act on where the game
# last saw the pointer: in full screen it draws the pointer itself, so wait
# until the picture shows it at the new place before clicking.
click_seen() {  # x y
  if [ "$FULLSCREEN" -eq 1 ]; then
    local deadline=$(($(date +%s) + 10))
    shot seen0
    point "$1" "$2"
    while :; do
      shot seen1
      below "$(region_mad seen0 seen1 "$1" "$2" 24 24)" 1 || break
      [ "$(date +%s)" -lt "$deadline" ] || fail "the pointer did not move to $1,$2"
      sleep 0.05
    done
  fi
  click "$1" "$2"
}

# Waits until the button strip under the pointer shows its hover colour:
# the panel is at rest and takes clicks.
wait_hover() {  # what x y w h timeout
  local deadline=$(($(date +%s) + $6))
  point $(($2 + $4 / 2)) $(($3 + $5 / 2))
  while :; do
    game_alive
    shot hover
    [ "$(hover_pixels hover "$2" "$3" "$4" "$5")" -ge 80 ] && return 0
    [ "$(date +%s)" -lt "$deadline" ] || fail "no hover on $1"
    sleep 0.1
  done
}
# Waits until a panel has slid in and rests: its area differs from a
# reference picture, a landmark of the panel (a patch of a known colour) is
# where the resting panel has it, and the area stays unchanged over three
# screenshots 0.3 s apart.
wait_rest() {  # what reference x y w h timeout landmark-x y w h r g b
  local deadline=$(($(date +%s) + $7))
  while :; do
    game_alive
    shot rest1
    if [ "$(colour_pixels rest1 "$8" "$9" "${10}" "${11}" "${12}" "${13}" "${14}")" -ge 15 ] &&
      ! below "$(region_mad "$2" rest1 "$3" "$4" "$5" "$6")" 2; then
      sleep 0.3
      shot rest2
      if below "$(region_mad rest1 rest2 "$3" "$4" "$5" "$6")" 0.01; then
        sleep 0.3
        shot rest3
        below "$(region_mad rest1 rest3 "$3" "$4" "$5" "$6")" 0.01 && return 0
      fi
    else
      sleep 0.1
    fi
    [ "$(date +%s)" -lt "$deadline" ] || fail "$1 did not come to rest"
  done
}
# Waits until an area stays unchanged for 0.3 s.
wait_still() {  # what x y w h timeout
  local deadline=$(($(date +%s) + $6))
  while :; do
    game_alive
    shot rest1
    sleep 0.3
    shot rest2
    below "$(region_mad rest1 rest2 "$2" "$3" "$4" "$5")" 0.01 && return 0
    [ "$(date +%s)" -lt "$deadline" ] || fail "$1 did not come to rest"
  done
}
screenshot_count() { cat "$GAME"/Log*.log 2>/dev/null | grep -c $'^Saving screenshot:\t\tOK\r$'; }
press_f2() {
  local before deadline
  before=$(screenshot_count)
  # One screenshot a second at most keeps the names apart.
  sleep 1.1
  xdotool key F2
  deadline=$(($(date +%s) + 10))
  until [ "$(screenshot_count)" -gt "$before" ]; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "F2 wrote no screenshot"
    sleep 0.1
  done
}

# --- layout of the panels (integer arithmetic as the game lays them out) -------
layout() {
  T=$(((W / 15) / 8 * 8))
  # main menu: 65 % of the height, design 1030 x 1404
  MM_H=$((H / 100 * 65)); MM_W=$((MM_H * 1030 / 1404)); MM_X=$((W / 2 - MM_W / 2))
  MM_STEP=$((MM_H / 25 + 1)); MM_REST=$((H + 1 - 25 * MM_STEP))
  STRIP=$(((MM_W * 90 * 2 + 1030) / 2060))
  mm_row() { echo $((MM_REST + MM_H * $1 / 1404)); }
  PLAY_Y=$(mm_row 260); SETTINGS_Y=$(mm_row 580); QUIT_Y=$(mm_row 1060)
  # level select: 75 %, design 1272 x 1601
  LS_H=$((H / 100 * 75)); LS_W=$((LS_H * 1272 / 1601)); LS_X=$((W / 2 - LS_W / 2))
  LS_REF=$((H - 25 * (LS_H / 25 + 1)))
  LS_CLOSE_X=$((LS_X + LS_W * 1140 / 1272)); LS_CLOSE_Y=$((LS_REF + LS_H * 104 / 1601))
  LS_CLOSE_W=$((LS_W * 112 / 1272)); LS_CLOSE_H=$((LS_H * 118 / 1601))
  CELL_X=$(((LS_X + LS_W * 97 / 1272 + LS_X + LS_W * 289 / 1272) / 2))
  CELL_Y=$(((LS_REF + LS_H * 320 / 1601 + LS_REF + LS_H * 512 / 1601) / 2))
  # level finished: 65 %, design 1030 x 1404, centred placement
  LF_STEP=$(((H - (H / 2 - MM_H / 2)) / 25 + 1)); LF_REF=$((H - 25 * LF_STEP))
  NEXT_Y=$((LF_REF + MM_H * 740 / 1404))
  # in-game menu and confirmations: the main menu's width, design 1030 x 1118
  IG_H=$((MM_W * 1118 / 1030))
  IG_REF=$((H - 25 * ((H - (H / 2 - IG_H / 2)) / 25 + 1)))
  IG_QUIT_Y=$((IG_REF + IG_H * 680 / 1118))
  LEAVE_REF=$((H - 25 * ((H - (H / 2 - IG_H / 2)) / 25)))
  LEAVE_YES_X=$(((MM_X + MM_W * 132 / 1030 + MM_X + MM_W * 232 / 1030) / 2))
  LEAVE_YES_Y=$(((LEAVE_REF + IG_H * 826 / 1118 + LEAVE_REF + IG_H * 924 / 1118) / 2))
  YES_X=$((MM_X + MM_W * 132 / 1030)); YES_W=$((MM_W * 100 / 1030)); YES_H=$((IG_H * 98 / 1118))
  LEAVE_YES_TOP=$((LEAVE_REF + IG_H * 826 / 1118))
  QC_REF=$((H - 25 * (IG_H / 25 + 1)))
  QC_YES_TOP=$((QC_REF + IG_H * 826 / 1118))
  QC_YES_Y=$(((QC_REF + IG_H * 826 / 1118 + QC_REF + IG_H * 924 / 1118) / 2))
  # settings: 65 %, design 1262 x 1120
  ST_H=$((H / 100 * 65)); ST_W=$((ST_H * 1262 / 1120)); ST_X=$((W / 2 - ST_W / 2))
  ST_REF=$((H - 25 * (ST_H / 25 + 1)))
  ST_STRIP=$(((ST_W * 65 * 2 + 1262) / 2524))
  st_row() { echo $((ST_REF + ST_H * $1 / 1120)); }
  MUSIC_Y=$(st_row 380); MODE_Y=$(st_row 580); RES_Y=$(st_row 680)
  ROW_X=$((ST_X + ST_W * 90 / 1262)); ROW_W=$((ST_W * 1082 / 1262))
  CONFIRM_X=$(((ST_X + ST_W * 94 / 1262 + ST_X + ST_W * 192 / 1262) / 2))
  CONFIRM_Y=$(((ST_REF + ST_H * 830 / 1120 + ST_REF + ST_H * 928 / 1120) / 2))
  # play: the corner menu button, the level label
  CORNER_X=$((W - T / 2 - T / 4 + T / 4)); CORNER_Y=$((T / 4 + T / 4))
}

# --- playing a level ---------------------------------------------------------------
# Waits for play: the level label (its number in the hover colour) in the
# top-left corner and a whole row of tiles risen into view. Leaves the
# picture as SHOTS/play.ppm.
wait_play() {  # what
  local deadline=$(($(date +%s) + 120)) rows
  while :; do
    game_alive
    [ "$KEYS" -eq 1 ] || point $((W / 8)) $((H / 2))  # the full-screen pointer stays off the board
    shot play
    if [ "$(hover_pixels play $((T / 4)) $((T / 4)) "$T" $((T / 2)))" -ge 10 ]; then
      rows=$("$LOOK" board "$SHOTS/play.ppm" "$OX" "$OY" "$W" "$H" "$T" 6 | awk '/^fullrows/ { print $2 }')
      [ "${rows:-0}" -gt 0 ] && return 0
    fi
    [ "$(date +%s)" -lt "$deadline" ] || fail "$1 did not start"
    sleep 0.2
  done
}
# Clears the board by triples of equal pictures until an overlay covers the
# play field (the level label darkens under the finished panel's shade).
clear_level() {  # reference shot of the play field
  local deadline=$(($(date +%s) + 300)) previous="" triples=0 out triple
  while :; do
    game_alive
    [ "$KEYS" -eq 1 ] || point $((W / 8)) $((H / 2))  # the full-screen pointer stays off the board
    shot board
    if ! below "$(region_mad "$1" board $((T / 4)) $((T / 4)) "$T" $((T / 2)))" 15; then
      say "level over after $triples triples"
      return 0
    fi
    out=$("$LOOK" board "$SHOTS/board.ppm" "$OX" "$OY" "$W" "$H" "$T" 6) || fail "board reader failed"
    triple=$(echo "$out" | awk '/^triple/ { $1 = ""; print }')
    cursor=$(echo "$out" | awk '/^cursor/ { $1 = ""; print substr($0, 2) }')
    if [ "$KEYS" -eq 1 ] && [ "$cursor" = none ]; then xdotool key Up; sleep 0.2; continue; fi
    # Act only on what two screenshots in a row agree on: no tile of the
    # triple is falling.
    if [ "$triple" != " none" ] && [ -n "$previous" ] &&
      awk -v a="$triple" -v b="$previous" 'BEGIN {
          n = split(a, p); split(b, q); if (n != 6) exit 1
          for (i = 1; i <= 6; i++) { d = p[i] - q[i]; if (d < 0) d = -d; if (d > 16) exit 1 }
          exit 0 }'; then
      read -r x1 y1 x2 y2 x3 y3 <<<"$triple"
      if [ "$KEYS" -eq 1 ]; then
        pick_by_keys $cursor $triple
      else
        click $((x1 - OX)) $((y1 - OY))
        click $((x2 - OX)) $((y2 - OY))
        click $((x3 - OX)) $((y3 - OY))
      fi
      triples=$((triples + 1))
      previous=""
      continue
    fi
    previous=$triple
    [ "$triple" = " none" ] && previous=""
    [ "$(date +%s)" -lt "$deadline" ] || fail "the level did not end"
  done
}

# The tile cursor from the cell at x y onto each cell given (whole tiles
# away), Space on each.
pick_by_keys() {  # x y x1 y1 ...
  local cx=$1 cy=$2 keys=""
  shift 2
  while [ $# -ge 2 ]; do
    keys="$keys $(awk -v dx=$(($1 - cx)) -v dy=$(($2 - cy)) -v t="$T" 'function n(v) { return int((v < 0 ? -v : v) / t + 0.5) }
      function rep(k, m) { s = ""; while (m-- > 0) s = s " " k; return s }
      BEGIN { print rep(dx < 0 ? "Left" : "Right", n(dx)) rep(dy < 0 ? "Up" : "Down", n(dy)) " space" }')"
    cx=$1 cy=$2
    shift 2
  done
  xdotool key --delay 80 $keys
}
# Presses Down until the focus shows on the strip given (it shows once the
# panel rests; earlier presses do nothing).
key_focus() {  # what x y w h timeout
  local deadline=$(($(date +%s) + $6))
  until game_alive && xdotool key Down && sleep 0.5 && shot hover && [ "$(hover_pixels hover "$2" "$3" "$4" "$5")" -ge 80 ]; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "no focus on $1"
  done
}

# === run 1: full screen, level 1 cleared, level 2 left, settings, quit =========
say "run 1: full screen"
start_game
layout

wait_hover "Play in the main menu" "$MM_X" "$PLAY_Y" "$MM_W" "$STRIP" 120
wait_still "main menu panel" "$MM_X" "$MM_REST" "$MM_W" "$MM_H" 20
cp "$SHOTS/rest2.ppm" "$SHOTS/menu2.ppm"
press_f2
say "main menu at rest; screenshot taken"

click $((W / 2)) $((PLAY_Y + STRIP / 2))
wait_rest "level select" menu2 "$LS_X" $((LS_REF + 1)) "$LS_W" "$LS_H" 20 "$LS_CLOSE_X" "$LS_CLOSE_Y" "$LS_CLOSE_W" "$LS_CLOSE_H" 200 83 91
click_seen "$CELL_X" "$CELL_Y"
# Play: the board's first tiles rise into view.
wait_play "level 1"
say "level 1 in play"
clear_level play

wait_hover "NEXT on the level-finished panel" "$MM_X" "$NEXT_Y" "$MM_W" "$STRIP" 20
click $((W / 2)) $((NEXT_Y + STRIP / 2))
say "level 2 chosen"
# The corner button acts once play runs (not during the get-ready panel).
deadline=$(($(date +%s) + 40))
while :; do
  game_alive
  click "$CORNER_X" "$CORNER_Y"
  point $((W / 2)) $((IG_QUIT_Y + STRIP / 2))
  menu_seen=0
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    shot ingame
    if [ "$(hover_pixels ingame "$MM_X" "$IG_QUIT_Y" "$MM_W" "$STRIP")" -ge 80 ]; then menu_seen=1; break; fi
    sleep 0.15
  done
  [ "$menu_seen" -eq 1 ] && break
  [ "$(date +%s)" -lt "$deadline" ] || fail "the in-game menu did not open"
done
say "in-game menu open"
click $((W / 2)) $((IG_QUIT_Y + STRIP / 2))
wait_rest "leave confirmation" ingame "$MM_X" $((LEAVE_REF + 1)) "$MM_W" "$IG_H" 20 "$YES_X" "$LEAVE_YES_TOP" "$YES_W" "$YES_H" 79 166 121
click_seen "$LEAVE_YES_X" "$LEAVE_YES_Y"

wait_hover "Settings in the main menu" "$MM_X" "$SETTINGS_Y" "$MM_W" "$STRIP" 30
click $((W / 2)) $((SETTINGS_Y + STRIP / 2))
wait_hover "the music row" "$ROW_X" "$MUSIC_Y" "$ROW_W" "$ST_STRIP" 20
shot music_on
click $((W / 2)) $((MUSIC_Y + ST_STRIP / 2))
deadline=$(($(date +%s) + 10))
until shot music_off && ! below "$(region_mad music_on music_off "$ROW_X" "$MUSIC_Y" "$ROW_W" "$ST_STRIP")" 1; do
  [ "$(date +%s)" -lt "$deadline" ] || fail "the music row did not change"
  sleep 0.1
done
wait_hover "the screen-mode row" "$ROW_X" "$MODE_Y" "$ROW_W" "$ST_STRIP" 20
shot mode_full
[ "$(colour_pixels mode_full "$ROW_X" "$RES_Y" "$ROW_W" "$ST_STRIP" 108 49 17)" -lt 20 ] ||
  fail "the resolution row is not disabled in full screen"
click $((W / 2)) $((MODE_Y + ST_STRIP / 2))
deadline=$(($(date +%s) + 10))
# WINDOWED: the resolution row becomes usable and is drawn in the text colour.
until shot mode_windowed && [ "$(colour_pixels mode_windowed "$ROW_X" "$RES_Y" "$ROW_W" "$ST_STRIP" 108 49 17)" -ge 20 ]; do
  [ "$(date +%s)" -lt "$deadline" ] || fail "the screen mode did not become WINDOWED"
  sleep 0.1
done
say "settings: music off, windowed"
click_seen "$CONFIRM_X" "$CONFIRM_Y"

# The game opens again as a 1280x720 window centred on the screen.
deadline=$(($(date +%s) + 30))
window=""
while [ -z "$window" ]; do
  game_alive
  for id in $(xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    if [ "$WIDTH" = 1280 ] && [ "$HEIGHT" = 720 ]; then window=$id; OX=$X; OY=$Y; fi
  done
  [ -n "$window" ] && break
  [ "$(date +%s)" -lt "$deadline" ] || fail "no 1280x720 window appeared"
  sleep 0.2
done
[ "$OX" -eq 320 ] && [ "$OY" -eq 180 ] || fail "the window is not centred: at $OX,$OY"
W=1280 H=720 FULLSCREEN=0
layout
say "windowed at $OX,$OY"
wait_hover "Play in the windowed main menu" "$MM_X" "$PLAY_Y" "$MM_W" "$STRIP" 120
wait_still "windowed main menu panel" "$MM_X" "$MM_REST" "$MM_W" "$MM_H" 20
press_f2
wait_hover "Quit in the windowed main menu" "$MM_X" "$QUIT_Y" "$MM_W" "$STRIP" 20
shot before_quit
click $((W / 2)) $((QUIT_Y + STRIP / 2))
wait_rest "quit confirmation" before_quit "$MM_X" $((QC_REF + 1)) "$MM_W" "$IG_H" 20 "$YES_X" "$QC_YES_TOP" "$YES_W" "$YES_H" 79 166 121
click_seen "$LEAVE_YES_X" "$QC_YES_Y"
finish_game 20
[ "$GAME_STATUS" -eq 0 ] || fail "run 1 ended with status $GAME_STATUS"
say "run 1 ended with status 0"

# --- what run 1 left behind -------------------------------------------------------
expected_scores() {  # best of level 1
  local n
  for n in $(seq 1 25); do
    case $n in
      1) printf '%s\r\n0\r\n' "$1" ;;
      2) printf '0\r\n0\r\n' ;;
      *) printf '0\r\n1\r\n' ;;
    esac
  done
}
cmp -s "$GAME/Morvane.prefs" <(prefs_text 0 1) || fail "Morvane.prefs differs: $(od -c "$GAME/Morvane.prefs" | head -20)"
cmp -s "$GAME/Morvane.scores" <(expected_scores 3) || fail "Morvane.scores differs: $(tr '\r\n' ' ' <"$GAME/Morvane.scores")"
logs=("$GAME"/Log*.log)
[ "${#logs[@]}" -eq 1 ] && [ -f "${logs[0]}" ] || fail "expected one log file"
log=${logs[0]}
[ "$(head -n 1 "$log")" = $'Morvane\r' ] || fail "the log does not start with the title line"
sed -n 2p "$log" | grep -Eq $'^[0-9]{4}-[0-9]{2}-[0-9]{2}--[0-9]{2}-[0-9]{2}-[0-9]{2}\r$' || fail "no date line in the log"
for line in '[SYSTEM DETAILS]' '[INITIAL SETTINGS]' $'GameScreen:\t\tFullscreen' \
  $'Opening screen (Fullscreen):\t\tOK' $'Opening screen (Windowed):\t\tOK' $'Screenwidth:\t\t1280' \
  $'TileSize:\t\t128' $'TileSize:\t\t80' $'Music:\t\tOFF'; do
  grep -qxF "$line"$'\r' "$log" || fail "the log lacks the line: $line"
done
[ "$(screenshot_count)" -eq 2 ] || fail "expected 2 screenshot lines in the log"
bmp_size() { od -An -t d4 -j 18 -N 8 "$1" | awk '{ h = $2 < 0 ? -$2 : $2; print $1 "x" h }'; }
sizes=""
for bmp in "$GAME"/Morvane\ *.bmp; do
  [ -f "$bmp" ] || fail "no screenshot file"
  name=$(basename "$bmp")
  [[ "$name" =~ ^Morvane\ [0-9]{2}-[0-9]{2}-[0-9]{4}\ [0-9]{2}-[0-9]{2}-[0-9]{2}\.bmp$ ]] || fail "badly named screenshot: $name"
  [ "$(head -c 2 "$bmp")" = BM ] || fail "$name is not a BMP"
  sizes="$sizes $(bmp_size "$bmp")"
done
[ "$(echo $sizes | tr ' ' '\n' | sort | tr '\n' ' ')" = "1280x720 1920x1080 " ] || fail "screenshot sizes:$sizes"
say "run 1 files checked"

# === run 2: windowed, level 1 by the keyboard alone, SIGTERM =====================
say "run 2: windowed, by the keyboard alone"
xdotool mousemove 0 0  # outside the window, for good
KEYS=1
expected_scores 0 >"$GAME/Morvane.scores"  # so that the three stars must be won again
start_game
deadline=$(($(date +%s) + 30))
window=""
while [ -z "$window" ]; do
  game_alive
  for id in $(xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    if [ "$WIDTH" = 1280 ] && [ "$HEIGHT" = 720 ]; then window=$id; OX=$X; OY=$Y; fi
  done
  [ -n "$window" ] && break
  [ "$(date +%s)" -lt "$deadline" ] || fail "no 1280x720 window appeared"
  sleep 0.2
done
key_focus "Play in the windowed main menu" "$MM_X" "$PLAY_Y" "$MM_W" "$STRIP" 120
xdotool key Return
wait_rest "level select" hover "$LS_X" $((LS_REF + 1)) "$LS_W" "$LS_H" 20 "$LS_CLOSE_X" "$LS_CLOSE_Y" "$LS_CLOSE_W" "$LS_CLOSE_H" 200 83 91
xdotool key Return  # the focus rests on level 1
wait_play "level 1 in run 2"
clear_level play
say "level 1 over; SIGTERM"
kill -TERM "$GAME_PID"
finish_game 20
[ "$GAME_STATUS" -eq 0 ] || fail "run 2 ended with status $GAME_STATUS"
[ -f "$GAME/Morvane.scores" ] || fail "no progress file after SIGTERM"
[ "$(grep -c $'\r$' "$GAME/Morvane.scores")" -eq 50 ] || fail "the progress file has not 50 lines"
cmp -s "$GAME/Morvane.scores" <(expected_scores 3) || fail "Morvane.scores changed in run 2"
cmp -s "$GAME/Morvane.prefs" <(prefs_text 0 1) || fail "Morvane.prefs changed in run 2"
say "PASS"
