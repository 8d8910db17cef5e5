#!/usr/bin/env bash
# A minute of key and mouse storm against the real program: about a
# thousand actions a second, key strokes of every game key but Escape and
# the wire keys, mouse motion and both buttons. Afterwards the program
# still answers (P is spoken), its resident memory is within 10 % of what
# it was before (measured after five seconds of the same storm, so that
# what is made once on first use is there already), and it has written
# nothing to standard error.
#
# The voice speaks each sentence to its end before the game handles the
# next event, so every speaking key (the mute keys, T, Enter, P) holds the
# storm back for a second or two, and the window system and SDL keep what
# piled up meanwhile in pools they reuse but never give back. So the
# speaking keys come sparingly: fourteen in all, each key twice (the
# toggles end as they began), one every four seconds, the two P's first
# while the score is short to say, so that each backlog is handled before
# the next sentence and the test ends a few seconds after the storm. The
# rest is silent: moves, lock commands that lock nothing (the moves keep
# the speakers out at the level's bounds, away from the lock windows) and
# mouse records.
source "$(dirname "$0")/lib.sh"

flood_seconds=${FLOOD_SECONDS:-60}
chunks_per_second=10
actions_per_chunk=100

vmrss_kb() {
  sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$game_pid/status"
}

points_said() {
  grep -cxF "points." "$work/stdout" || true
}

# Waits up to $2 seconds for the "points." caption to have been said $1
# times.
wait_for_points() {
  local limit=$(( $2 * 20 ))
  for _ in $(seq "$limit"); do
    [ "$(points_said)" -ge "$1" ] && return 0
    kill -0 "$game_pid" 2>/dev/null || fail "the program ended"
    sleep 0.05
  done
  fail "\"points.\" was said $(points_said) times, not $1, within $2 s"
}

# A storm, written out beforehand as one xdotool script per tenth of a
# second into $work/<name>: write_storm <name> <seconds> <chunks between
# speaking keys> <speaking keys...>. Counts what it writes, over all storms,
# and the lock commands the space bar and the clicks give (following the
# side the mouse buttons select: a press or release that selects a side
# locks nothing).
lock_commands=0
space_locks=0
key_strokes=0
motions=0
clicks=0
left_selected=1
write_storm() {
  local name=$1 seconds=$2 every=$3
  shift 3
  local speaking=("$@") chunk i pick button edge
  local away=(s j d k) towards=(e i f l)
  mkdir -p "$work/$name"
  for ((chunk = 0; chunk < seconds * chunks_per_second; chunk++)); do
    {
      for ((i = 0; i < actions_per_chunk; i++)); do
        if ((i == 0 && chunk % every == every / 2 && chunk / every < ${#speaking[@]})); then
          echo "key --delay 0 ${speaking[chunk / every]}"
          key_strokes=$((key_strokes + 1))
          continue
        fi
        pick=$((RANDOM % 100))
        if ((pick < 40)); then
          # Away from the listener on both axes, mostly.
          echo "key --delay 0 ${away[RANDOM % 4]}"
          key_strokes=$((key_strokes + 1))
        elif ((pick < 50)); then
          echo "key --delay 0 ${towards[RANDOM % 4]}"
          key_strokes=$((key_strokes + 1))
        elif ((pick < 51)); then
          echo "key --delay 0 space"
          key_strokes=$((key_strokes + 1))
          lock_commands=$((lock_commands + 1))
          space_locks=$((space_locks + 1))
        elif ((pick < 53)); then
          button=$(( RANDOM % 2 == 0 ? 1 : 3 ))
          # A click, without the pause xdotool's click command adds.
          echo "mousedown $button"
          echo "mouseup $button"
          clicks=$((clicks + 1))
          # Press and release, each a record the game acts on.
          for edge in down up; do
            if ((button == 1)); then
              if ((left_selected)); then lock_commands=$((lock_commands + 1)); else left_selected=1; fi
            else
              if ((left_selected)); then left_selected=0; else lock_commands=$((lock_commands + 1)); fi
            fi
          done
        elif ((pick < 90)); then
          # Left and back (down the desk) mostly, small sideways jitter too.
          echo "mousemove_relative -- $(( -1 - RANDOM % 8 )) $(( RANDOM % 12 - 2 ))"
          motions=$((motions + 1))
        else
          echo "mousemove_relative -- $(( RANDOM % 5 )) $(( RANDOM % 9 - 6 ))"
          motions=$((motions + 1))
        fi
      done
    } >"$work/$name/$chunk.xdo"
  done
}

# Sends a written storm at its pace: send_storm <name> <seconds>.
send_storm() {
  local name=$1 seconds=$2 chunk due now started
  started=$(date +%s%N)
  for ((chunk = 0; chunk < seconds * chunks_per_second; chunk++)); do
    kill -0 "$game_pid" 2>/dev/null ||
      fail "the program ended during the storm, at $((chunk / chunks_per_second)) s"
    xdotool - <"$work/$name/$chunk.xdo" >/dev/null 2>>"$work/xdotool-errors" ||
      fail "xdotool could not send the storm: $(tail -n 3 "$work/xdotool-errors")"
    due=$(( started + (chunk + 1) * 1000000000 / chunks_per_second ))
    now=$(date +%s%N)
    if ((now < due)); then
      sleep "$(printf '0.%09d' $((due - now)))"
    fi
  done
  storm_ms=$(( ($(date +%s%N) - started) / 1000000 ))
}

start_display
start_game
wait_for_window 10
# The intro holds the keys back; the score's caption says the game runs.
send_key p
wait_for_points 1 30

# Five seconds of the same storm first, with one sentence of each kind, so
# that what the game, the voice and the libraries make once, on first use,
# is there before memory is measured; then a score, once all is handled.
write_storm warm-up 5 10 g g t t p
write_storm storm "$flood_seconds" 40 p p g g h h b b n n t t Return Return
send_storm warm-up 5
xdotool key p
wait_for_points 3 60
sleep 1
rss_before=$(vmrss_kb)

send_storm storm "$flood_seconds"
echo "storm: $key_strokes key strokes, $motions mouse moves, $clicks clicks in all," \
     "$((key_strokes + motions + clicks)) actions ($((2 * key_strokes + motions + 2 * clicks))" \
     "X events), the last ${flood_seconds} s of them sent in $storm_ms ms"

# Still answering: the start's P, the warm-up's two, the storm's two, and
# once more now (then once again for the score).
answer_started=$(date +%s%N)
xdotool key p
wait_for_points 6 60
answered=$(( ($(date +%s%N) - answer_started) / 1000000 ))
echo "P answered $answered ms after the storm"
# That P may have been answered inside the handler of a key sent before
# it, whose own lock command then came after the reading (each key handler
# runs what is pending before its own key). A P sent once that reading is
# under way comes after everything the storm sent.
xdotool key p
wait_for_points 7 60
score=$(grep -xF -B 1 "points." "$work/stdout" | tail -n 2 | head -n 1)
echo "the score after the storm: \"$score points.\""

# The lock commands that reached the game: with nothing locked, the k-th
# costs k points, so the score says how many there were. Keys are never
# lost; mouse records may be, as the mouse keeps a hundred of them between
# two reads, and a long sentence lets more than that pile up.
handled=-1
for ((n = 0; n <= lock_commands; n++)); do
  if [ "$((100 - n * (n + 1) / 2))" = "$score" ]; then handled=$n; break; fi
done
if grep -q "axis locked." "$work/stdout"; then
  echo "an axis locked during the storm, so the score does not count the lock commands"
elif ((handled < 0)); then
  fail "the score $score is not what any number of lock commands up to $lock_commands gives"
else
  echo "lock commands handled: $handled of the $lock_commands sent" \
       "($space_locks by the space bar, $((lock_commands - space_locks)) by the mouse buttons)"
  ((handled >= space_locks)) || fail "fewer lock commands handled than space bars pressed"
fi

sleep 1
rss_after=$(vmrss_kb)
echo "resident memory: $rss_before kB before, $rss_after kB after"
low=$(( rss_before * 90 / 100 ))
high=$(( rss_before * 110 / 100 ))
if ((rss_after < low || rss_after > high)); then
  fail "resident memory went from $rss_before kB to $rss_after kB, more than 10 %"
fi
if [ -s "$work/stderr" ]; then
  fail "the program wrote to standard error"
fi
echo "flood: still answering, memory within 10 %, nothing on standard error"
