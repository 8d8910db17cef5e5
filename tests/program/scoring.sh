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

# A lock command that locks nothing says nothing, so nothing shows when it
# has been handled; and a P sent right after it may be handled first (each
# key handler runs what is pending before its own key). So after each lock
# command the score is read twice: the first reading is the old score or
# the new one, the second, sent once the first has been said, the new one.
read_score_twice() {
  local before=$(caption_count "points.")
  send_key p
  wait_for_caption_count "points." $((before + 1)) 10
  sleep_while_saying "100 points."
  send_key p
  wait_for_caption_count "points." $((before + 2)) 10
  sleep_while_saying "100 points."
}
send_key space
read_score_twice
send_key space
read_score_twice

# The captions as they came, a number and "points." for each reading: the
# score twice at the start, then each pair of readings.
mapfile -t said <"$work/stdout"
[ "${#said[@]}" -eq 12 ] || fail "expected twelve captions, got ${#said[@]}"
case "${said[4]}" in 100|99) ;; *) fail "the first reading after one lock command is ${said[4]}" ;; esac
case "${said[8]}" in 99|97) ;; *) fail "the first reading after two lock commands is ${said[8]}" ;; esac
said[4]=- said[8]=-
[ "${said[*]}" = "100 points. 100 points. - points. 99 points. - points. 97 points." ] ||
  fail "the score did not go 100, 99, 97: ${said[*]}"
send_key Escape
wait_for_exit 1
[ "$status" -eq 0 ] || fail "Escape ended the program with status $status"
echo "scoring: $(paste -sd' ' "$work/stdout")"
