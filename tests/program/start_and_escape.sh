#!/usr/bin/env bash
# The real program starts in a virtual display, opens its window and ends
# with status 0 within a second of Escape.
source "$(dirname "$0")/lib.sh"

start_display
start_game
wait_for_window 10
# Keys wait while the intro plays; the score's caption says the game runs.
send_key p
wait_for_caption "points." 20
# Let the voice finish the score before the key.
sleep 2
send_key Escape
started=$(date +%s%N)
wait_for_exit 1
ended=$(date +%s%N)
[ "$status" -eq 0 ] || fail "Escape ended the program with status $status"
echo "ended $(( (ended - started) / 1000000 )) ms after Escape, status 0"
