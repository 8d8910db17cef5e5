#!/usr/bin/env bash
# Escape ends the program with status 0 within a second whatever the game
# is busy with: in the middle of the intro (the cue is waited for), in the
# middle of a queue of announcements (the voice is waited for), and in the
# middle of a wire travel.
source "$(dirname "$0")/lib.sh"

# Sends Escape and expects the program to end with status 0 within a
# second; $1 says what it interrupted.
escape_ends_it() {
  send_key Escape
  local started ended
  started=$(date +%s%N)
  wait_for_exit 1
  ended=$(date +%s%N)
  [ "$status" -eq 0 ] || fail "Escape $1 ended the program with status $status"
  echo "Escape $1: ended $(( (ended - started) / 1000000 )) ms later, status 0"
}

start_display

# The intro lasts over five seconds, and no key is handled until its end.
start_game
wait_for_window 10
sleep 1.5
escape_ends_it "during the intro"
[ ! -s "$work/stdout" ] || fail "something was said before the intro's end"

# Four speaking keys at once, which take about six seconds to say (the
# keys that wait together are handled newest first).
start_game
wait_for_window 10
wait_until_running
send_key --delay 0 p t Return g
wait_for_caption "muting front left speaker." 5
sleep 0.4
escape_ends_it "during a queue of announcements"
said=$(( $(caption_count "points.") - 2 + $(caption_count "locking speakers down.") +
         $(caption_count "Setting Rear speakers.") + $(caption_count "muting front left speaker.") ))
[ "$said" -lt 4 ] || fail "the queue was not cut short: it was all said"

# A wire travel to the front left speaker, which the drift leaves near
# x -5, z -5 at the first level: over a second and a half at the wire's
# pace.
start_game
wait_for_window 10
wait_until_running
send_key a
sleep 0.4
escape_ends_it "during a wire travel"
