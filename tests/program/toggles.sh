#!/usr/bin/env bash
# The toggles say exactly what they did, in the order of the keys: T
# freezes and releases the drift, Enter switches to the rear pair and back,
# G mutes and unmutes the front left speaker.
source "$(dirname "$0")/lib.sh"

start_display
start_game
wait_for_window 10
wait_until_running

keys=(t t Return Return g g)
said=("locking speakers down." "unlocking speakers for movement."
      "Setting Rear speakers." "Setting front speakers."
      "muting front left speaker." "Front Left Mute Off.")
press_each_once_said keys said

expect_captions 100 points. 100 points. "${said[@]}"
send_key Escape
wait_for_exit 1
[ "$status" -eq 0 ] || fail "Escape ended the program with status $status"
echo "toggles: each said as expected, in order"
