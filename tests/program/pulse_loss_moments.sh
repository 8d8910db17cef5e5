#!/usr/bin/env bash
# The sound server killed while the game waits for a sound: in the middle
# of the intro (a cue waited for to its end), of a sentence of the game's
# own voice, and of a wire travel. None of these waits for a sound that can
# no longer play: the game says the output is lost, goes on and answers
# keys, and Escape ends it with status 0.
source "$(dirname "$0")/lib.sh"

# Kills the server, then expects the loss said and the game going on; $1
# says what it interrupted.
lose_the_server_during() {
  kill_pulse
  wait_for_caption "$lost_caption" 5
  expect_answer 15
  sleep_while_saying "points."
  expect_running "after the loss during $1"
  send_key Escape
  wait_for_exit 1
  [ "$status" -eq 0 ] || fail "Escape after the loss during $1 ended the program with status $status"
  echo "the loss during $1: said, the game went on, Escape ended it with status 0"
}

start_display

# The intro lasts over five seconds.
start_pulse
start_game_on_pulse
wait_for_window 10
sleep 1.5
lose_the_server_during "the intro"

# A queue of sentences, which takes about six seconds to say. The drift
# runs on, so that the tick goes on moving the speakers meanwhile.
start_running_on_pulse
send_key --delay 0 p h Return g
wait_for_caption "muting front left speaker." 5
sleep 0.4
lose_the_server_during "a sentence"

# A wire travel to the front left speaker, which the drift leaves near
# x -5, z -5 at the first level: over a second and a half.
start_running_on_pulse
send_key a
sleep 0.4
lose_the_server_during "a wire travel"
