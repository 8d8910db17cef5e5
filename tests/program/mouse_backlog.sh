#!/usr/bin/env bash
# Clicks made while the game cannot listen: the intro plays to its end
# before the game handles any event but those of its one pump at the
# intro's start. Two hundred clicks on the selected side during the intro
# are four hundred button records, each a lock command; the mouse keeps a
# hundred of them, the oldest, and drops the rest. With nothing locked the
# k-th lock command costs k points, so the score then says 100 - 5050 =
# -4950, and the game goes on as usual (at the first level the speakers
# start far from every lock window).
#
# The clicks must come after the intro's pump, which follows the intro's
# start at once, and before the intro ends. The wave output grows from the
# moment the sound device opens, shortly before the intro starts: the
# clicks are sent once it holds a second and a half, and where the intro
# lies in it shows afterwards that they were all sent within the intro. A
# machine too slow for that, or a start whose intro cannot be told from the
# music, gets another start, up to three.
source "$(dirname "$0")/lib.sh"

clicks=200
intro=$sounds/tavlora.wav
intro_seconds=$(wave_seconds "$intro")
# Time for the intro's pump to be over, and for the window system to hand
# the last click to the game.
pump_seconds=0.2
margin_seconds=0.7

for ((i = 0; i < clicks; i++)); do
  echo "mousedown 1"
  echo "mouseup 1"
done >"$work/clicks.xdo"

start_display

# Starts the game and clicks during its intro; true when the clicks were
# all sent while the intro played, as far as the wave output shows.
clicks_during_intro() {
  local from to intro_start intro_match
  rm -f "$work/out.wav" "$work/stdout"
  start_game
  wait_for_window 10
  wait_for_wave_seconds 1.5 20
  from=$(wave_seconds)
  xdotool - <"$work/clicks.xdo" >/dev/null 2>&1 || fail "xdotool could not send the clicks"
  to=$(wave_seconds)
  wait_for_wave_seconds "$(awk -v i="$intro_seconds" 'BEGIN { print i + 2.5 }')" 30
  read -r intro_start intro_match < <("$wav_measure" "$work/out.wav" match "$intro" 0 2)
  echo "$clicks clicks sent from $from s to $to s of sound; the intro lasts $intro_seconds s" \
       "from $intro_start s (its loudness agrees with the file's to $intro_match)"
  # Music that happens to move much like the intro blurs where it starts.
  awk -v r="$intro_match" 'BEGIN { exit !(r >= 0.6) }' || return 1
  awk -v f="$from" -v t="$to" -v s="$intro_start" -v i="$intro_seconds" \
      -v p="$pump_seconds" -v m="$margin_seconds" 'BEGIN { exit !(f > s + p && t + m < s + i) }'
}

attempt=1
until clicks_during_intro; do
  ((attempt < 3)) || fail "in $attempt starts the clicks could not be shown to come within the intro"
  kill -9 "$game_pid" 2>/dev/null || true
  wait "$game_pid" 2>/dev/null || true
  game_pid=""
  attempt=$((attempt + 1))
done

# The backlog has been handled since the intro ended.
send_key p
wait_for_caption_count "points." 1 20
expect_captions -4950 points.

send_key Escape
wait_for_exit 1
[ "$status" -eq 0 ] || fail "Escape ended the program with status $status"
[ -s "$work/stderr" ] && fail "the program wrote to standard error"
echo "mouse backlog: $((2 * clicks)) button records during the intro, 100 lock commands"
