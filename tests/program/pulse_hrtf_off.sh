#!/usr/bin/env bash
# Where OpenAL Soft refuses HRTF, the game says once at the start, as a
# caption, on standard error and aloud, that 3D sound is off, and plays on:
# with "hrtf = false" in the player's own OpenAL settings, and with
# "[pulse] fix-rate = true" on a server whose sink runs at 96 kHz, a rate
# with no HRTF table.
source "$(dirname "$0")/lib.sh"

# Starts the game with the player's OpenAL settings $2 on a sink at $1 Hz
# and expects 3D sound said to be off; $3 says why.
expect_3d_off() {
  printf '%s\n' "$2" >"$XDG_CONFIG_HOME/alsoft.conf"
  start_running_on_pulse "$1"
  [ "$(caption_count "$hrtf_off_caption")" -eq 1 ] ||
    fail "with $3, \"$hrtf_off_caption\" was said $(caption_count "$hrtf_off_caption") times, not once"
  grep -qF -- "$hrtf_off_caption" "$work/stderr" ||
    fail "with $3, standard error does not say that 3D sound is off"
  send_key Escape
  wait_for_exit 1
  [ "$status" -eq 0 ] || fail "with $3, Escape ended the program with status $status"
  kill_pulse
  echo "with $3: 3D sound said to be off, once, on standard error too, and the game ran"
}

start_display
expect_3d_off 48000 $'[general]\nhrtf = false' "hrtf = false in the user's settings"
expect_3d_off 96000 $'[pulse]\nfix-rate = true' "fix-rate on a 96 kHz sink"
