#!/usr/bin/env bash
# A sound server that never comes back: the game says the output is lost
# once, runs on in silence answering keys while it keeps looking for the
# output, and Escape ends it with status 0 as always.
source "$(dirname "$0")/lib.sh"

start_display
start_running_on_pulse
kill_pulse
wait_for_caption "$lost_caption" 3
# A few attempts to open the output again, all failing.
sleep 4
expect_answer 10
sleep_while_saying "points."
expect_running "with the sound output gone"
[ "$(caption_count "$lost_caption")" -eq 1 ] || fail "the loss was said $(caption_count "$lost_caption") times"
[ "$(caption_count "$back_caption")" -eq 0 ] || fail "the sound was said to be back, with no server"

send_key Escape
wait_for_exit 1
[ "$status" -eq 0 ] || fail "Escape ended the program with status $status"
echo "a server that never comes back: the game ran on and Escape ended it with status 0"
