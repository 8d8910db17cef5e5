#!/usr/bin/env bash
# The start as a player hears it: the music sets in and the intro plays
# over it, and after the intro the music goes on, with no silence longer
# than a moment anywhere, and both ears hear it.
source "$(dirname "$0")/lib.sh"

intro=$sounds/tavlora.wav
intro_seconds=$(wave_seconds "$intro")
# A window of 50 ms with both channels below this is silence; the quietest
# stretch of the music is far above it.
silent_db=-60
# A moment: at most this many silent windows in a row.
moment_windows=2

start_display
start_game
wait_for_window 10
# The intro, then three seconds of the game running.
wanted=$(awk -v i="$intro_seconds" 'BEGIN { print i + 3.5 }')
wait_for_wave_seconds "$wanted" 30
cp "$work/out.wav" "$work/start.wav"

# The first sound, and where the intro starts in the output.
first_sound=$("$wav_measure" "$work/start.wav" windows 10 |
  awk -v s="$silent_db" '!found && ($2 > s || $3 > s) { print $1; found = 1 }')
[ -n "$first_sound" ] || fail "the program played nothing"
read -r intro_start intro_match < <("$wav_measure" "$work/start.wav" match "$intro" 0 2)
echo "first sound at $first_sound s; the intro starts at $intro_start s" \
     "(its loudness agrees with the file's to $intro_match); it lasts $intro_seconds s"
awk -v r="$intro_match" 'BEGIN { exit !(r >= 0.6) }' ||
  fail "the intro is not heard: its loudness agrees with the file's only to $intro_match"
awk -v i="$intro_start" -v f="$first_sound" 'BEGIN { exit !(i - f < 1.0) }' ||
  fail "the intro starts $intro_start s into the output, long after the first sound"
intro_end=$(awk -v i="$intro_start" -v l="$intro_seconds" 'BEGIN { print i + l }')

# No silence longer than a moment, from the first sound to three seconds
# after the intro.
longest=$("$wav_measure" "$work/start.wav" windows 50 "$first_sound" |
  awk -v s="$silent_db" '
    $2 <= s && $3 <= s { run++; if (run > longest) { longest = run; at = $1 } next }
    { run = 0 }
    END { printf "%d %s\n", longest, at }')
read -r silent_windows silent_at <<<"$longest"
echo "longest silence: $((silent_windows * 50)) ms${silent_at:+ (ending at $silent_at s)}"
[ "$silent_windows" -le "$moment_windows" ] ||
  fail "the output is silent for $((silent_windows * 50)) ms, ending at $silent_at s"

# After the intro both channels carry the music.
read -r left right < <("$wav_measure" "$work/start.wav" span \
  "$(awk -v e="$intro_end" 'BEGIN { print e + 0.2 }')" "$(awk -v e="$intro_end" 'BEGIN { print e + 3 }')")
echo "after the intro: left $left dB, right $right dB"
for level in "$left" "$right"; do
  awk -v l="$level" 'BEGIN { exit !(l > -50) }' ||
    fail "after the intro a channel is nearly silent: left $left dB, right $right dB"
done

send_key Escape
wait_for_exit 1
[ "$status" -eq 0 ] || fail "Escape ended the program with status $status"
[ -s "$work/stderr" ] && fail "the program wrote to standard error"
echo "start: the intro over the music, then the music in both ears, no gap"
