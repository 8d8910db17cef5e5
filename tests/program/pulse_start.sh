#!/usr/bin/env bash
# The start through a sound server, as on a player's desktop: the game finds
# the private PulseAudio server by itself through OpenAL Soft, and the
# recording of the server's output holds the music in both ears once the
# intro is over. 3D sound works there, so nothing is said about it.
source "$(dirname "$0")/lib.sh"

start_display
start_running_on_pulse
before=$(wave_bytes)
sleep 2
read -r left right <<<"$(levels_between "$before" "$(wave_bytes)")"
echo "two seconds of the running game through the server: left $left dB, right $right dB"
for level in "$left" "$right"; do
  awk -v l="$level" 'BEGIN { exit !(l > -50) }' ||
    fail "a channel of the server's output is nearly silent: left $left dB, right $right dB"
done
[ "$(caption_count "$hrtf_off_caption")" -eq 0 ] || fail "the game said 3D sound is off"

send_key Escape
wait_for_exit 1
[ "$status" -eq 0 ] || fail "Escape ended the program with status $status"
[ -s "$work/stderr" ] && fail "the program wrote to standard error"
echo "start through a sound server: the music in both ears"
