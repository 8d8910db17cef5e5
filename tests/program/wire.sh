#!/usr/bin/env bash
# The wire, with all four speakers muted: its buzz lasts as long as its
# travel takes at the wire's pace, 25,000 passes a second, one step of
# 0.0001 per pass. The speakers' places are random, so the test first puts
# the targets on known places: the drift frozen, the front left speaker
# pushed past the first level's bound at x -5, z -5, which the next tick
# sets it on exactly, and the front right likewise, then brought 2.5 units
# nearer on both axes. The wire stops as soon as it is in its target's unit
# square, so it travels from 0 to just below -4 towards the first (40,019
# passes, 1.60 s) and to just below -2 towards the second (19,998 passes,
# 0.80 s). Once more towards the first, with the score read out during the
# travel, the wire waits while the voice speaks and then goes on at its
# pace: its buzz lasts the travel and the speech.
source "$(dirname "$0")/lib.sh"

# The wave output's mixing and the 10 ms windows blur either end by a few
# hundredths of a second; a wire slower or faster than its pace by a tenth
# is wrong.
window_ms=10

# The length in seconds of the loud stretch (20 dB above $1 dB) that
# starts after $2 seconds of the wave output.
burst_seconds() {
  "$wav_measure" "$work/out.wav" windows "$window_ms" "$2" |
    awk -v floor="$1" -v w="$window_ms" '
      { loud = ($2 > floor + 20 || $3 > floor + 20) }
      over { next }
      loud && start == "" { start = $1 }
      loud { end = $1 }
      !loud && start != "" && $1 - end > 0.2 { over = 1 }
      END { if (start == "") print "none"; else printf "%.3f %.3f\n", start, end + w / 1000 - start }'
}

# The muted music's level in dB, over half a second from now.
background_level() {
  local from
  from=$(wave_bytes)
  sleep 0.5
  levels_between "$from" "$(wave_bytes)" | awk '{ print ($1 > $2 ? $1 : $2) }'
}

# Waits up to $2 seconds for the sound to be loud (20 dB above $1 dB) in
# the latest few hundredths of a second of the wave output.
wait_until_loud() {
  local limit=$(( ${2:-5} * 50 )) from level
  for _ in $(seq "$limit"); do
    from=$(wave_bytes)
    sleep 0.02
    level=$(levels_between "$from" "$(wave_bytes)" | awk '{ print ($1 > $2 ? $1 : $2) }')
    awk -v l="$level" -v f="$1" 'BEGIN { exit !(l > f + 20) }' && return 0
  done
  fail "nothing loud within ${2:-5} s"
}

# Sends wire key $1 and measures the buzz, into $buzz; expects $2 seconds.
send_wire() {
  local background at start length
  background=$(background_level)
  at=$(wave_seconds)
  send_key "$1"
  sleep "$(awk -v e="$2" 'BEGIN { print e + 1.5 }')"
  read -r start length <<<"$(burst_seconds "$background" "$at")"
  [ "$start" != none ] || fail "wire key $1 played nothing above the muted music ($background dB)"
  echo "wire key $1: a buzz of $length s from $start s (expected $2 s; muted music at $background dB)"
  buzz=$length
  awk -v l="$length" -v e="$2" 'BEGIN { d = l - e; if (d < 0) d = -d; exit !(d <= 0.1 * e + 0.06) }' ||
    fail "the wire's buzz lasted $length s, not $2 s"
}

# The score read out (P) as the $1-th "points."; sets $said to how long the
# voice was heard.
read_out_score() {
  local background at start
  background=$(background_level)
  at=$(wave_seconds)
  send_key p
  wait_for_caption_count "points." "$1" 10
  sleep_while_saying "100 points."
  read -r start said <<<"$(burst_seconds "$background" "$at")"
  [ "$start" != none ] || fail "the score was read out without a sound ($background dB)"
  echo "the score read out: $said s of voice from $start s"
}

# Wire key $1, and once its buzz is heard the score read out (P) as the
# $2-th "points.": the wire waits while the voice speaks and then goes on
# at its pace, without making up for the wait, so its buzz lasts as long as
# the same travel did without the voice, $3 seconds, and the speech, $4
# seconds.
send_wire_and_read_out_score() {
  local background at start length expected
  background=$(background_level)
  at=$(wave_seconds)
  send_key "$1"
  wait_until_loud "$background" 5
  send_key p
  wait_for_caption_count "points." "$2" 10
  expected=$(awk -v t="$3" -v s="$4" 'BEGIN { print t + s }')
  sleep "$(awk -v e="$expected" 'BEGIN { print e + 1.5 }')"
  read -r start length <<<"$(burst_seconds "$background" "$at")"
  [ "$start" != none ] || fail "wire key $1 played nothing above the muted music ($background dB)"
  echo "wire key $1 with the score read out: a buzz of $length s from $start s" \
       "(expected $3 s of travel and $4 s of speech, $expected s)"
  awk -v l="$length" -v e="$expected" 'BEGIN { d = l - e; if (d < 0) d = -d; exit !(d <= 0.1 * e + 0.06) }' ||
    fail "the wire's buzz with the score read out lasted $length s, not $expected s"
}

start_display
start_game
wait_for_window 10
wait_until_running
freeze_and_mute "locking speakers down." g "muting front left speaker." \
  h "muting front Right speaker." b "muting Rear left speaker." n "muting Rear Right speaker."
pin_front_left_at_the_bound
# The front right: J and K move it left and back, L and I right and forward.
press j 20
press k 20
sleep 0.5
press l 25
press i 25

send_wire a 1.601
travel=$buzz
send_wire semicolon 0.800
# The first travel again, with the score read out during it. The voice is
# measured alone first.
read_out_score 3
send_wire_and_read_out_score a 4 "$travel" "$said"

send_key Escape
wait_for_exit 1
[ "$status" -eq 0 ] || fail "Escape ended the program with status $status"
[ -s "$work/stderr" ] && fail "the program wrote to standard error"
echo "wire: the buzz lasts as long as the wire's pace makes the travel, and the speech during it"
