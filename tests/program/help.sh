#!/usr/bin/env bash
# F1 says the short help, the game in one sentence and then the keys in
# groups, each a caption line of its own; Escape ends the program at once
# in the middle of it.
source "$(dirname "$0")/lib.sh"

help=("Steer the four speakers into their places near you and lock them."
      "E, D, S and F move the left speaker of the pair forward, back, left and right; I, K, J and L the right one."
      "Enter switches between the front and the rear pair."
      "Space locks what is in place, and costs points."
      "G, H, B and N mute front left, front right, rear left and rear right."
      "T freezes or releases the drift."
      "A, semicolon, Z and slash send the wire to them in the same order."
      "P says the score."
      "Escape quits.")

start_display
start_game
wait_for_window 10
wait_until_running

send_key F1
wait_for_caption "${help[8]}" 60
expect_captions 100 points. 100 points. "${help[@]}"
sleep_while_saying "${help[8]}"

# Once more, and Escape while its first sentence is spoken.
send_key F1
wait_for_caption_count "${help[0]}" 2 10
send_key Escape
wait_for_exit 1
[ "$status" -eq 0 ] || fail "Escape during the help ended the program with status $status"
[ "$(caption_count "${help[8]}")" -eq 1 ] || fail "the help went on to its end after Escape"
echo "help: nine lines in order; Escape ended it at once"
