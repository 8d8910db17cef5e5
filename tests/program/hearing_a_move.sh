#!/usr/bin/env bash
# Hearing a speaker move: with the other three muted and the drift frozen,
# the front left speaker is carried by its keys from the listener's left to
# the listener's right, and its level in the right channel against the left
# one follows it there.
source "$(dirname "$0")/lib.sh"

start_display
start_game
wait_for_window 10
wait_until_running
# Frozen, so that only the keys move it; the others muted (40 dB down).
freeze_and_mute "locking speakers down." h "muting front Right speaker." \
  b "muting Rear left speaker." n "muting Rear Right speaker."
pin_front_left_at_the_bound
# Then beside the listener: 5 units forward, from -5 to 0.
press e 50

# x from -5 to +5 in 2.5-unit stretches (25 steps of 0.1 each), listening
# at each place.
balances=()
for place in -5 -2.5 0 2.5 5; do
  if [ "$place" != -5 ]; then
    press f 25
  fi
  sleep 0.3
  before=$(wave_bytes)
  sleep 0.8
  read -r left right <<<"$(levels_between "$before" "$(wave_bytes)")"
  balance=$(awk -v l="$left" -v r="$right" 'BEGIN { printf "%.1f", r - l }')
  balances+=("$balance")
  echo "x $place: left $left dB, right $right dB, right minus left $balance dB"
done

awk -v b="${balances[*]}" 'BEGIN {
  n = split(b, v, " ")
  if (v[1] > -6) { print "at the far left the right channel is not 6 dB below the left"; exit 1 }
  if (v[n] < 6) { print "at the far right the right channel is not 6 dB above the left"; exit 1 }
  if (v[3] < -3 || v[3] > 3) { print "below the listener the two channels differ by more than 3 dB"; exit 1 }
  for (i = 2; i <= n; i++) if (v[i] <= v[i - 1]) { print "the balance went back between places " i - 1 " and " i; exit 1 }
}' >"$work/verdict" || fail "$(cat "$work/verdict"): right minus left ${balances[*]} dB"

send_key Escape
wait_for_exit 1
[ "$status" -eq 0 ] || fail "Escape ended the program with status $status"
echo "hearing a move: the balance follows the speaker from left to right"
