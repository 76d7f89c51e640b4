#!/usr/bin/env bash
# play_in_a_real_window.sh BUILD_DIR: the built game in Xvfb, played with xdotool, read only from
# screenshots, its log and files. Run 1: full screen, level 1 by mouse, level 2 left, settings to a
# 1280x720 window (music off), quit. Run 2: level 1 by keyboard alone on a French keyboard, the
# music turned on by the key labelled M, ended by SIGTERM.
set -uo pipefail

BUILD=$(readlink -f "${1:?usage: $0 BUILD_DIR}")
LOOK="$BUILD/tests/e2e_look"
for tool in Xvfb xdotool import; do command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 1; }; done
[ -x "$BUILD/game/morvane" ] && [ -x "$LOOK" ] || { echo "FAIL: no game or screenshot reader in $BUILD"; exit 1; }
WORK=$(mktemp -d /tmp/morvane-e2e.XXXXXX)
GAME="$WORK/game" SHOTS="$WORK/shots" XVFB_PID="" GAME_PID="" STARTED=$(date +%s)
mkdir -p "$SHOTS"
cleanup() {
  local rc=$?
  [ -z "$GAME_PID" ] || kill -KILL "$GAME_PID" 2>/dev/null
  [ -z "$XVFB_PID" ] || { kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; }
  if [ "$rc" -eq 0 ]; then rm -rf "$WORK"; else echo "Kept for inspection: $WORK"; fi
}
trap cleanup EXIT
trap "exit 1" TERM INT HUP  # a stopped test still ends the game and the server
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

# --- the X server (it picks a free display number itself) and the game folder
Xvfb -displayfd 5 -screen 0 1920x1080x24 -nolisten tcp 5>"$WORK/display" >"$WORK/xvfb.log" 2>&1 & XVFB_PID=$!
until_ok 10 "Xvfb did not start" test -s "$WORK/display"
export DISPLAY=":$(head -n 1 "$WORK/display")"
x_answers() { xdotool getdisplaygeometry >/dev/null 2>&1; }
until_ok 10 "Xvfb did not answer" x_answers
[ "$(xdotool getdisplaygeometry)" = "1920 1080" ] || fail "Xvfb screen is not 1920x1080"
cp -r "$BUILD/game/." "$GAME/"
rm -f "$GAME"/Morvane.prefs "$GAME"/Morvane.scores "$GAME"/Log*.log "$GAME"/Morvane\ *.bmp
prefs_text() {  # music gamescreen
  printf '\xEF\xBB\xBF\r\n; Morvane Preferences\r\n[Settings]\r\nLanguage = en_GB\r\nMusic = %s\r\nGameScreen = %s\r\nResolution = 1\r\nCompleted = 0\r\nSounds = 1\r\nMusicVolume = 100\r\n' "$1" "$2"
}
scores_text() {  # best of level 1: level 1 and 2 open
  printf '%s\r\n0\r\n0\r\n0\r\n' "$1"
  for _ in $(seq 3 25); do printf '0\r\n1\r\n'; done
}
prefs_text 1 0 >"$GAME/Morvane.prefs"
export XDG_DATA_HOME="$WORK/xdg"
start_game() {
  (cd "$GAME" && exec env -u SDL_VIDEODRIVER -u SDL_RENDER_DRIVER SDL_AUDIODRIVER=dummy ./morvane /LOG) >>"$WORK/game.out" 2>&1 & GAME_PID=$!
}
finish_game() {  # leaves the exit status in GAME_STATUS
  local pid=$GAME_PID; GAME_PID=""
  until_ok 20 "the game did not end" ended_pid "$pid"
  wait "$pid"; GAME_STATUS=$?
}
ended_pid() { ! kill -0 "$1" 2>/dev/null; }

# --- looking and pointing, in the coordinates of the game's picture (OX, OY its place on the X screen)
W=1920 H=1080 OX=0 OY=0 FULLSCREEN=1 KEYS=0
shot() { import -window root -depth 8 "ppm:$SHOTS/$1.ppm" 2>/dev/null || fail "screenshot failed"; }
count() { "$LOOK" count "$SHOTS/$1.ppm" $((OX + $2)) $((OY + $3)) "$4" "$5" "$6" "$7" "$8" "${9:-30}"; }  # shot x y w h r g b [tolerance]
mad() { "$LOOK" mad "$SHOTS/$1.ppm" "$SHOTS/$2.ppm" $((OX + $3)) $((OY + $4)) "$5" "$6"; }  # shotA shotB x y w h
below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }
point() { xdotool mousemove $((OX + $1)) $((OY + $2)); }
click() { xdotool mousemove $((OX + $1)) $((OY + $2)) mousedown 1 sleep 0.1 mouseup 1 sleep 0.1; }
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
# In full screen the game draws the pointer itself and acts where it last saw it:
# the click waits for the picture to show the pointer there.
pointer_moved() { shot seen1 && ! below "$(mad seen0 seen1 "$1" "$2" 24 24)" 1; }
click_seen() {  # x y
  if [ "$FULLSCREEN" -eq 1 ]; then
    shot seen0
    point "$1" "$2"
    until_ok 10 "the pointer did not move to $1,$2" pointer_moved "$1" "$2"
  fi
  click "$1" "$2"
}
screenshots_logged() { cat "$GAME"/Log*.log 2>/dev/null | grep -c $'^Saving screenshot:\t\tOK\r$'; }
more_screenshots() { [ "$(screenshots_logged)" -gt "$1" ]; }
press_f2() {
  local before; before=$(screenshots_logged)
  sleep 1.1  # one screenshot a second at most keeps the names apart
  xdotool key F2
  until_ok 10 "F2 wrote no screenshot" more_screenshots "$before"
}
# The game's 1280x720 window, centred on the screen.
windowed() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    [ "$WIDTH" = 1280 ] && [ "$HEIGHT" = 720 ] && OX=$X OY=$Y && return 0
  done
  return 1
}
wait_windowed() {
  until_ok 120 "no 1280x720 window appeared" windowed
  [ "$OX" -eq 320 ] && [ "$OY" -eq 180 ] || fail "the window is not centred: at $OX,$OY"
  W=1280 H=720 FULLSCREEN=0
  layout
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

# --- playing a level -----------------------------------------------------------------
# Play: the level label (hover colour) top left and a whole row of tiles in view. Leaves SHOTS/play.ppm.
playing() {
  [ "$KEYS" -eq 1 ] || point $((W / 8)) $((H / 2))  # the full-screen pointer stays off the board
  shot play && [ "$(count play $((T / 4)) $((T / 4)) "$T" $((T / 2)) 219 63 81 15)" -ge 10 ] &&
    [ "$("$LOOK" board "$SHOTS/play.ppm" "$OX" "$OY" "$W" "$H" "$T" 6 | awk '/^fullrows/ { print $2 }')" -gt 0 ]
}
# Removes triples (clicks, or tile cursor and Space) until an overlay's shade darkens the level label.
clear_level() {
  local deadline=$(($(date +%s) + 300)) previous="" triples=0 out triple cursor
  until_ok 120 "the level did not start" playing
  while :; do
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended unexpectedly (see $WORK/game.out)"
    [ "$KEYS" -eq 1 ] || point $((W / 8)) $((H / 2))
    shot board
    below "$(mad play board $((T / 4)) $((T / 4)) "$T" $((T / 2)))" 15 || { say "level over after $triples triples"; return 0; }
    out=$("$LOOK" board "$SHOTS/board.ppm" "$OX" "$OY" "$W" "$H" "$T" 6) || fail "board reader failed"
    triple=$(awk '/^triple/ { $1 = ""; print substr($0, 2) }' <<<"$out")
    cursor=$(awk '/^cursor/ { $1 = ""; print substr($0, 2) }' <<<"$out")
    [ "$(date +%s)" -lt "$deadline" ] || fail "the level did not end"
    if [ "$KEYS" -eq 1 ] && [ "$cursor" = none ]; then xdotool key Up; sleep 0.2; continue; fi
    # Act only on what two screenshots in a row agree on: no tile of the triple is falling.
    if [ "$triple" != none ] && [ -n "$previous" ] && "$LOOK" near "$triple" "$previous" 16; then
      if [ "$KEYS" -eq 1 ]; then
        # shellcheck disable=SC2046
        xdotool key --delay 80 $("$LOOK" keys "$T" $cursor $triple)
      else
        read -r x1 y1 x2 y2 x3 y3 <<<"$triple"
        for xy in "$x1 $y1" "$x2 $y2" "$x3 $y3"; do set -- $xy; click $(($1 - OX)) $(($2 - OY)); done
      fi
      triples=$((triples + 1)) previous=""
      continue
    fi
    [ "$triple" != none ] && previous=$triple || previous=""
  done
}

# === run 1: full screen; level 1 by the mouse, level 2 left, settings, quit ============
say "run 1: full screen"
start_game
layout
until_ok 120 "no hover on Play in the main menu" hovered "$MM_X" "$PLAY_Y" "$MM_W" "$STRIP"
until_ok 20 "the main menu did not come to rest" still "$MM_X" "$MM_REST" "$MM_W" "$MM_H"
cp "$SHOTS/rest2.ppm" "$SHOTS/menu.ppm"
press_f2
click $((W / 2)) $((PLAY_Y + STRIP / 2))
until_ok 20 "the level select did not come to rest" at_rest menu "$LS_X" $((LS_REF + 1)) "$LS_W" "$LS_H" $LS_CLOSE
click_seen "$CELL_X" "$CELL_Y"
clear_level
until_ok 20 "no hover on NEXT" hovered "$MM_X" "$NEXT_Y" "$MM_W" "$STRIP"
click $((W / 2)) $((NEXT_Y + STRIP / 2))
# The corner button opens the in-game menu once play runs (not during get-ready).
menu_opened() {
  click "$CORNER_X" "$CORNER_Y" && sleep 1 && point $((W / 2)) $((IG_QUIT_Y + STRIP / 2)) && sleep 0.3 &&
    hovered "$MM_X" "$IG_QUIT_Y" "$MM_W" "$STRIP"
}
until_ok 40 "the in-game menu did not open" menu_opened
cp "$SHOTS/hover.ppm" "$SHOTS/ingame.ppm"
click $((W / 2)) $((IG_QUIT_Y + STRIP / 2))
until_ok 20 "the leave confirmation did not come to rest" at_rest ingame "$MM_X" $((LEAVE_REF + 1)) "$MM_W" "$IG_H" \
  "$YES_X" $((LEAVE_REF + IG_H * 826 / 1118)) "$YES_W" "$YES_H" 79 166 121
click_seen "$YES_CX" $((LEAVE_REF + IG_H * 875 / 1118))
say "level 1 cleared, level 2 left"

until_ok 30 "no hover on Settings" hovered "$MM_X" "$SETTINGS_Y" "$MM_W" "$STRIP"
click $((W / 2)) $((SETTINGS_Y + STRIP / 2))
until_ok 20 "no hover on the music row" hovered "$ROW_X" "$MUSIC_Y" "$ROW_W" "$ST_STRIP"
cp "$SHOTS/hover.ppm" "$SHOTS/music_on.ppm"
click $((W / 2)) $((MUSIC_Y + ST_STRIP / 2))
music_changed() { shot music_off && ! below "$(mad music_on music_off "$ROW_X" "$MUSIC_Y" "$ROW_W" "$ST_STRIP")" 1; }
until_ok 10 "the music row did not change" music_changed
until_ok 20 "no hover on the screen-mode row" hovered "$ROW_X" "$MODE_Y" "$ROW_W" "$ST_STRIP"
# The resolution row is disabled in full screen and drawn in the text colour once WINDOWED.
resolution_usable() { shot mode && [ "$(count mode "$ROW_X" "$RES_Y" "$ROW_W" "$ST_STRIP" 108 49 17)" -ge 20 ]; }
! resolution_usable || fail "the resolution row is not disabled in full screen"
click $((W / 2)) $((MODE_Y + ST_STRIP / 2))
until_ok 10 "the screen mode did not become WINDOWED" resolution_usable
click_seen "$CONFIRM_X" "$CONFIRM_Y"
wait_windowed
say "settings: music off, windowed at $OX,$OY"
until_ok 120 "no hover on Play in the window" hovered "$MM_X" "$PLAY_Y" "$MM_W" "$STRIP"
until_ok 20 "the windowed main menu did not come to rest" still "$MM_X" "$MM_REST" "$MM_W" "$MM_H"
press_f2
until_ok 20 "no hover on Quit" hovered "$MM_X" "$QUIT_Y" "$MM_W" "$STRIP"
cp "$SHOTS/hover.ppm" "$SHOTS/before_quit.ppm"
click $((W / 2)) $((QUIT_Y + STRIP / 2))
until_ok 20 "the quit confirmation did not come to rest" at_rest before_quit "$MM_X" $((QC_REF + 1)) "$MM_W" "$IG_H" \
  "$YES_X" $((QC_REF + IG_H * 826 / 1118)) "$YES_W" "$YES_H" 79 166 121
click_seen "$YES_CX" $((QC_REF + IG_H * 875 / 1118))
finish_game; [ "$GAME_STATUS" -eq 0 ] || fail "run 1 ended with status $GAME_STATUS"

# --- what run 1 left: byte-exact files, its log, two screenshots -------------------------
cmp -s "$GAME/Morvane.prefs" <(prefs_text 0 1) || fail "Morvane.prefs differs: $(od -c "$GAME/Morvane.prefs" | head -20)"
cmp -s "$GAME/Morvane.scores" <(scores_text 3) || fail "Morvane.scores differs: $(tr '\r\n' ' ' <"$GAME/Morvane.scores")"
logs=("$GAME"/Log*.log)
[ "${#logs[@]}" -eq 1 ] && [ -f "${logs[0]}" ] || fail "expected one log file"
[ "$(head -n 1 "${logs[0]}")" = $'Morvane\r' ] || fail "the log does not start with the title line"
sed -n 2p "${logs[0]}" | grep -Eq $'^[0-9]{4}-[0-9]{2}-[0-9]{2}--[0-9]{2}-[0-9]{2}-[0-9]{2}\r$' || fail "no date line in the log"
for line in '[SYSTEM DETAILS]' '[INITIAL SETTINGS]' $'GameScreen:\t\tFullscreen' $'Opening screen (Fullscreen):\t\tOK' \
  $'Opening screen (Windowed):\t\tOK' $'Screenwidth:\t\t1280' $'TileSize:\t\t128' $'TileSize:\t\t80' $'Music:\t\tOFF'; do
  grep -qxF "$line"$'\r' "${logs[0]}" || fail "the log lacks the line: $line"
done
[ "$(screenshots_logged)" -eq 2 ] || fail "expected 2 screenshot lines in the log"
sizes=""
for bmp in "$GAME"/Morvane\ *.bmp; do
  [[ "$(basename "$bmp")" =~ ^Morvane\ [0-9]{2}-[0-9]{2}-[0-9]{4}\ [0-9]{2}-[0-9]{2}-[0-9]{2}\.bmp$ ]] || fail "badly named screenshot: $bmp"
  [ "$(head -c 2 "$bmp")" = BM ] || fail "$bmp is not a BMP"
  sizes="$sizes $(od -An -t d4 -j 18 -N 8 "$bmp" | awk '{ print $1 "x" ($2 < 0 ? -$2 : $2) }')"
done
[ "$(tr ' ' '\n' <<<"$sizes" | sort | xargs)" = "1280x720 1920x1080" ] || fail "screenshot sizes:$sizes"
say "run 1 ended with status 0, its files checked"

# === run 2: windowed, level 1 by the keyboard alone on a French keyboard, SIGTERM ====
xdotool mousemove 0 0  # outside the window, for good
KEYS=1
setxkbmap -layout fr || fail "setxkbmap cannot set a French keyboard"  # its M is where QWERTY has ";"
scores_text 0 >"$GAME/Morvane.scores"  # so that the three stars must be won again
start_game
wait_windowed
focused() { xdotool key Down && sleep 0.5 && shot hover && [ "$(count hover "$MM_X" "$PLAY_Y" "$MM_W" "$STRIP" 219 63 81 15)" -ge 80 ]; }
until_ok 120 "no focus on Play" focused
xdotool key Return
until_ok 20 "the level select did not come to rest" at_rest hover "$LS_X" $((LS_REF + 1)) "$LS_W" "$LS_H" $LS_CLOSE
xdotool key Return  # the focus rests on level 1
clear_level
xdotool key m  # the key labelled M turns the music on
press_f2       # read after the M key, so the game has seen it
kill -TERM "$GAME_PID"; finish_game
[ "$GAME_STATUS" -eq 0 ] || fail "run 2 ended with status $GAME_STATUS"
cmp -s "$GAME/Morvane.scores" <(scores_text 3) || fail "Morvane.scores after SIGTERM: $(tr '\r\n' ' ' <"$GAME/Morvane.scores")"
cmp -s "$GAME/Morvane.prefs" <(prefs_text 1 1) || fail "M on a French keyboard did not turn the music on"
say "PASS"
