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
# The intro starts with the first sound; a second and a half into the
# output it is well under way.
wait_for_wave_seconds 1.5 15
escape_ends_it "during the intro"
[ ! -s "$work/stdout" ] || fail "something was said before the intro's end"

# Four speaking keys at once, which take about six seconds to say. Keys
# that wait together may be handled in any order (each handler runs what
# is pending before its own key), so the test waits for the first of the
# four sentences to start, whichever it is, and quits while the other
# three are still to come.
queue=("locking speakers down." "Setting Rear speakers." "muting front left speaker.")
queue_said() {
  local n=$(( $(caption_count "points.") - 2 )) line
  for line in "${queue[@]}"; do n=$(( n + $(caption_count "$line") )); done
  echo "$n"
}
start_game
wait_for_window 10
wait_until_running
send_key --delay 0 p t Return g
for _ in $(seq 100); do
  [ "$(queue_said)" -ge 1 ] && break
  sleep 0.05
done
[ "$(queue_said)" -ge 1 ] || fail "none of the four keys was answered within 5 s"
escape_ends_it "during a queue of announcements"
[ "$(queue_said)" -lt 4 ] || fail "the queue was not cut short: it was all said"

# A wire travel to the front left speaker, which the drift leaves near
# x -5, z -5 at the first level: over a second and a half at the wire's
# pace.
start_game
wait_for_window 10
wait_until_running
send_key a
sleep 0.4
escape_ends_it "during a wire travel"
