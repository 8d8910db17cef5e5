#!/usr/bin/env bash
# The score by its captions: it starts at 100; the first lock command costs
# one point and the second two, as long as nothing locks (at the first
# level the speakers start far behind and to the left, nowhere near a lock
# window).
source "$(dirname "$0")/lib.sh"

start_display
start_game
wait_for_window 10
wait_until_running

send_key space
# The lock command says nothing when it locks nothing; give it its turn
# before the next key.
sleep 0.3
send_key p
wait_for_caption_count "points." 3 10
sleep_while_saying "99 points."
send_key space
sleep 0.3
send_key p
wait_for_caption_count "points." 4 10

expect_captions 100 points. 100 points. 99 points. 97 points.
send_key Escape
wait_for_exit 1
[ "$status" -eq 0 ] || fail "Escape ended the program with status $status"
echo "scoring: $(paste -sd' ' "$work/stdout")"
