#!/usr/bin/env bash
# wayland_and_sound_server.sh BUILD_DIR: the built game on sway (headless, as an unprivileged user) and
# PulseAudio (a null sink's monitor recorded). Run 1, 1024x576 window: picture, click, key, gapless music,
# focus lost and regained, the sound server restarted, quit. Run 2, full screen: the compositor killed.
# Run 3, borderless: closed by the compositor.
set -uo pipefail

. "$(dirname "$0")/common.sh"
needs sway swaymsg grim jq pulseaudio parec pactl setpriv "$BUILD/tests/e2e_input"
chmod 711 "$WORK"  # the compositor's user reaches its own folder inside

# --- the sound server, run by this user with a socket of its own
mkdir -p "$WORK/pulse" && export PULSE_SERVER="unix:$WORK/pulse/native"
start_pulse() {
  HOME="$WORK/pulse" XDG_RUNTIME_DIR="$WORK/pulse" PULSE_RUNTIME_PATH="$WORK/pulse" pulseaudio -n \
    --daemonize=no --exit-idle-time=-1 -L "module-native-protocol-unix socket=$WORK/pulse/native auth-anonymous=1" \
    -L "module-null-sink sink_name=game" >>"$WORK/pulse.log" 2>&1 & PULSE_PID=$! SERVERS+=("$PULSE_PID")
  until_ok 20 "PulseAudio did not start" bash -c 'pactl info >/dev/null 2>&1'
}
record() {  # seconds: what the sink played, its level in RMS and its longest silence (ms) in GAP
  timeout "$1" parec -d game.monitor --format=s16le --rate=44100 --channels=2 --raw >"$WORK/sound.raw"
  read -r _ RMS _ GAP <<<"$("$LOOK" sound "$WORK/sound.raw")"
}
music_plays() { record 3 && [ "$RMS" -gt 1000 ]; }
silent() { record 1 && [ "$RMS" -lt 10 ]; }

# --- the compositor, as an unprivileged user when run as root (sway refuses root), with a pointer
# that swaymsg drives and a French keyboard that presses the keys written to descriptor 7 (e2e_input)
start_sway() {
  local as=() folder="$WORK/sway"
  rm -rf "$folder" && mkdir -m 700 "$folder"
  printf 'xwayland disable\noutput HEADLESS-1 resolution 1920x1080\nfor_window [title="^Morvane"] floating enable\n' >"$folder/config"
  [ "$(id -u)" -ne 0 ] || { as=(setpriv --reuid=nobody --regid=nogroup --clear-groups); chown -R nobody:nogroup "$folder"; }
  "${as[@]}" env -i PATH="$PATH" HOME="$folder" XDG_RUNTIME_DIR="$folder" WLR_BACKENDS=headless \
    WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 sway -c "$folder/config" >>"$WORK/sway.log" 2>&1 & SWAY_PID=$! SERVERS+=("$SWAY_PID")
  sway_up() { compgen -G "$folder/sway-ipc.*.sock" >/dev/null && compgen -G "$folder/wayland-?" >/dev/null; }
  until_ok 20 "sway did not start" sway_up
  export SWAYSOCK=$(compgen -G "$folder/sway-ipc.*.sock") WAYLAND_DISPLAY=$(compgen -G "$folder/wayland-?")
  exec 7>&- && rm -f "$WORK/keys" && mkfifo "$WORK/keys"
  XKB_DEFAULT_LAYOUT=fr "$BUILD/tests/e2e_input" <"$WORK/keys" & SERVERS+=($!)  # a French keyboard
  exec 7>"$WORK/keys"
  until_ok 20 "sway has no keyboard and pointer" bash -c '[ "$(swaymsg -t get_inputs | jq length)" -eq 2 ]'
}
screenshot() { grim -t ppm "$1"; }
point() { swaymsg seat seat0 cursor set $((OX + $1)) $((OY + $2)) >/dev/null; }
click() { point "$1" "$2" && sleep 0.1 && swaymsg seat seat0 cursor press button1 >/dev/null && swaymsg seat seat0 cursor release button1 >/dev/null && sleep 0.1; }
# The game's window: its place and size on the output (OX OY W H), at the size it asked for.
placed() {  # width height
  read -r OX OY W H <<<"$(swaymsg -t get_tree | jq -r '.. | objects | select((.name? // "") | startswith("Morvane"))
    | "\(.rect.x + .window_rect.x) \(.rect.y + .window_rect.y) \(.window_rect.width) \(.window_rect.height)"' | head -n 1)"
  [ "${W:-0}" = "$1" ] && [ "${H:-0}" = "$2" ]
}
start_on_wayland() {  # screen-mode width height
  prefs_text 1 "$1" 0 >"$GAME/Morvane.prefs"
  touch "$WORK/mark"
  start_game SDL_VIDEODRIVER=wayland SDL_AUDIODRIVER=pulseaudio
  menu_shown() { placed "$2" "$3" && layout && hovered "$MM_X" "$PLAY_Y" "$MM_W" "$STRIP"; }
  until_ok 120 "no $2x$3 window with the main menu" menu_shown "$@"
}

# === run 1: windowed; picture, click, key, music, focus, the sound server restarted, quit ===
start_pulse
start_sway
start_on_wayland 1 1024 576
grep -qxF $'InitSound:\t\tOK\r' "$GAME"/Log*.log || fail "the sound server was not used"
until_ok 20 "the main menu did not come to rest" still "$MM_X" "$MM_REST" "$MM_W" "$MM_H" && cp "$SHOTS/rest2.ppm" "$SHOTS/menu.ppm"
record 6
[ "$RMS" -gt 1000 ] && below "$GAP" 1 || fail "the menu music: level $RMS, a silence of $GAP ms"
say "picture at $OX,$OY; music at level $RMS, longest silence $GAP ms"
click $((W / 2)) $((PLAY_Y + STRIP / 2))
until_ok 20 "the level select did not come to rest" at_rest menu "$LS_X" $((LS_REF + 1)) "$LS_W" "$LS_H" $LS_CLOSE
echo 1 >&7  # Escape
until_ok 20 "Escape did not close the level select" hovered "$MM_X" "$PLAY_Y" "$MM_W" "$STRIP"
swaymsg workspace 2 >/dev/null; until_ok 20 "the music played on without the focus" silent
swaymsg workspace 1 >/dev/null; until_ok 20 "the music did not come back with the focus" music_plays
kill "$PULSE_PID"; wait "$PULSE_PID" 2>/dev/null; start_pulse
until_ok 30 "the music did not come back with the sound server" music_plays
say "sound server restarted; music at level $RMS"
# The key labelled M on the French keyboard (where QWERTY has ";": evdev 39) turns the music off and on.
echo 39 >&7; until_ok 20 "the key labelled M did not turn the music off" silent
echo 39 >&7; until_ok 20 "the key labelled M did not turn the music on again" music_plays
quit_by_menu "run 1"
cmp -s "$GAME/Morvane.prefs" <(prefs_text 1 1 0) || fail "Morvane.prefs after run 1"

# === run 2: full screen; the compositor goes away =========================================
start_on_wayland 0 1920 1080
kill "$SWAY_PID"
lost_display "the Wayland compositor went away"
say "run 2: full screen, the compositor killed"

# === run 3: borderless; the compositor closes the window ==================================
start_sway; start_on_wayland 2 1920 1080
swaymsg '[title="^Morvane"] kill' >/dev/null
finish_game; [ "$GAME_STATUS" -eq 0 ] || fail "run 3 ended with status $GAME_STATUS"
[ "$GAME/Morvane.scores" -nt "$WORK/mark" ] || fail "Morvane.scores was not saved in run 3"
say "PASS"
