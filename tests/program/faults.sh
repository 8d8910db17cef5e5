#!/usr/bin/env bash
# Faults a player can meet, each said clearly: a sounds folder without the
# intro, a music file cut short, and no display at all. With a broken sound
# the game tells why in one line on standard error (and through the voice,
# so also as a caption), keeps its window open and ends on Escape with
# status 0; without a display it says so and ends with a non-zero status.
source "$(dirname "$0")/lib.sh"

fresh_install() {
  rm -rf "$work/install"
  install_dir=""
  make_install
}

# Waits up to $1 seconds for a line on standard error.
wait_for_error() {
  for _ in $(seq $(( $1 * 20 ))); do
    [ -s "$work/stderr" ] && return 0
    kill -0 "$game_pid" 2>/dev/null || fail "the program ended"
    sleep 0.05
  done
  fail "nothing on standard error within $1 s"
}

# The game started with a broken sounds folder: one line on standard
# error, which matches the pattern $1 (it names the file), said as well; still running a second later; Escape
# ends it with status 0 within a second.
expect_one_line_naming() {
  start_game
  wait_for_window 10
  wait_for_error 15
  # Whatever else it would say, it has said by now; and it has not crashed.
  sleep 1
  kill -0 "$game_pid" 2>/dev/null || fail "the program ended after its message"
  [ "$(wc -l <"$work/stderr")" -eq 1 ] || fail "more than one line on standard error"
  local message
  message=$(cat "$work/stderr")
  # shellcheck disable=SC2254
  case "$message" in
    $1) ;;
    *) fail "the message is not the one expected ($1): $message" ;;
  esac
  grep -qxF -- "$message" "$work/stdout" || fail "the message was not said: no caption of it"
  echo "message: $message"
  send_key Escape
  wait_for_exit 1
  [ "$status" -eq 0 ] || fail "Escape ended the program with status $status"
}

start_display

fresh_install
rm "$install_dir/sounds/tavlora.wav"
expect_one_line_naming "*sounds/tavlora.wav*"

# Every music file cut in the middle of its sound, so that whichever set
# the game draws is broken.
fresh_install
for file in "$install_dir"/sounds/left?.wav "$install_dir"/sounds/right?.wav; do
  truncate -s 200000 "$file"
done
# The music is loaded left file first.
expect_one_line_naming "*sounds/left[1-6].wav*truncated*"

# No display: none named, then one that nobody serves.
number=90
while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
  number=$((number + 1))
done
for display in "" ":$number"; do
  set +e
  env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY="$display" timeout 10 \
    "$install_dir/earshot" >"$work/stdout" 2>"$work/stderr"
  status=$?
  set -e
  message=$(cat "$work/stderr")
  echo "display \"$display\": status $status, message: $message"
  [ "$status" -ne 0 ] && [ "$status" -ne 124 ] ||
    fail "without a display ($display) the program ended with status $status"
  case "$message" in
    *"cannot open the game window"*) ;;
    *) fail "without a display ($display) the message is not clear: $message" ;;
  esac
done
echo "faults: each said in one line; Escape or a non-zero status ends the program"
