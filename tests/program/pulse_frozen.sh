#!/usr/bin/env bash
# A sound server that freezes (stopped, not gone) keeps its clients
# connected while nothing plays. The game must not hang on it: it takes the
# output for lost, answers keys, and when the server goes on, the sound
# comes back. Frozen again, Escape still ends the game at once.
source "$(dirname "$0")/lib.sh"

start_display
start_running_on_pulse

freeze_pulse
wait_for_caption "$lost_caption" 5
expect_answer 10
sleep_while_saying "points."
expect_running "with the sound server frozen"

thaw_pulse
wait_for_caption "$back_caption" 5
sleep_while_saying "$back_caption"
expect_answer 10
sleep_while_saying "points."

freeze_pulse
send_key Escape
wait_for_exit 1
[ "$status" -eq 0 ] || fail "Escape ended the program with status $status"
thaw_pulse
echo "a frozen server: the loss and the return said, keys answered, Escape at once"
