#!/usr/bin/env bash
# play_in_a_real_window.sh BUILD_DIR: the built game in Xvfb, played with xdotool, read only from
# screenshots, its log and files. Run 1: full screen, level 1 by mouse, level 2 left, settings to a
# 1280x720 window (music off), quit. Run 2: level 1 by keyboard alone on a French keyboard, the
# music turned on by the key labelled M, ended by SIGTERM. Run 3: the X server killed at the main menu.
set -uo pipefail

. "$(dirname "$0")/common.sh"
needs Xvfb xdotool import

# --- the X server (it picks a free display number itself) and the game folder
Xvfb -displayfd 5 -screen 0 1920x1080x24 -nolisten tcp 5>"$WORK/display" >"$WORK/xvfb.log" 2>&1 & XVFB_PID=$! SERVERS+=("$XVFB_PID")
until_ok 10 "Xvfb did not start" test -s "$WORK/display"
export DISPLAY=":$(head -n 1 "$WORK/display")"
x_answers() { xdotool getdisplaygeometry >/dev/null 2>&1; }
until_ok 10 "Xvfb did not answer" x_answers
[ "$(xdotool getdisplaygeometry)" = "1920 1080" ] || fail "Xvfb screen is not 1920x1080"
prefs_text 1 0 >"$GAME/Morvane.prefs"
# --- looking and pointing, in the coordinates of the game's picture (OX, OY its place on the X screen)
FULLSCREEN=1 KEYS=0
screenshot() { import -window root -depth 8 "ppm:$1"; }
point() { xdotool mousemove $((OX + $1)) $((OY + $2)); }
click() { xdotool mousemove $((OX + $1)) $((OY + $2)) mousedown 1 sleep 0.1 mouseup 1 sleep 0.1; }
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
quit_by_menu "run 1"

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

# === run 3: the X server goes away at the main menu ===================================
touch "$WORK/mark"
start_game
wait_windowed
until_ok 120 "no hover on Play in the window" hovered "$MM_X" "$PLAY_Y" "$MM_W" "$STRIP"
kill "$XVFB_PID"
lost_display "the X server went away"
say "PASS"
