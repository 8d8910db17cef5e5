#!/usr/bin/env bash
# The sound server killed in the middle of a game and started again, as
# when a player's sound server crashes or a headset goes away and comes
# back. With the drift frozen and three speakers muted, the front left
# speaker alone is heard; the game says the output is lost, answers keys
# while it is gone, says when the sound is back, and the recording then
# holds the music again at the level it had. Muting the front left speaker
# too then brings the whole mix 40 dB down: the three speakers muted before
# the loss came back muted, and all four still play.
source "$(dirname "$0")/lib.sh"

# Music levels wander over a second or two; the same mix is heard again
# within this many dB.
same_db=6

# The louder channel of the last $1 seconds of the recording.
recent_level() {
  recent_levels "$1" | awk '{ print ($1 > $2 ? $1 : $2) }'
}

start_display
start_running_on_pulse
freeze_and_mute "locking speakers down." h "muting front Right speaker." \
  b "muting Rear left speaker." n "muting Rear Right speaker."
sleep 1.5
before=$(recent_level 1.5)
echo "the front left speaker alone, before the loss: $before dB"

kill_pulse
wait_for_caption "$lost_caption" 3
grep -qF -- "$lost_caption" "$work/stderr" || fail "the loss is not on standard error"
expect_answer 10
sleep 1
expect_running "while the sound output was gone"
[ "$(caption_count "$lost_caption")" -eq 1 ] || fail "the loss was said $(caption_count "$lost_caption") times"

start_pulse
wait_for_caption "$back_caption" 5
sleep_while_saying "$back_caption"
sleep 1.5
after=$(recent_level 1.5)
echo "the front left speaker alone, after the return: $after dB"
awk -v b="$before" -v a="$after" -v d="$same_db" 'BEGIN { x = a - b; if (x < 0) x = -x; exit !(x <= d) }' ||
  fail "after the return the mix is at $after dB, before the loss it was at $before dB"

send_key g
wait_for_caption "muting front left speaker." 10
sleep_while_saying "muting front left speaker."
sleep 1.5
muted=$(recent_level 1.5)
echo "all four muted after the return: $muted dB"
# Each speaker 40 dB down, four of them about as loud as the one alone
# before: about 34 dB below it. Three that came back at full level would
# leave the mix near where it was.
awk -v b="$before" -v m="$muted" 'BEGIN { exit !(m <= b - 20 && m > -120) }' ||
  fail "with all four muted the mix is at $muted dB: not far below $before dB, or silent"

send_key Escape
wait_for_exit 1
[ "$status" -eq 0 ] || fail "Escape ended the program with status $status"
echo "the server killed and back: the loss and the return said, the mix as it was"
