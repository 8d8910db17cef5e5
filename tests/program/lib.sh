# Shared helpers for the tests that run the real program: a private
# virtual display, OpenAL Soft writing its output to a WAV file (or playing
# through a private PulseAudio server whose output is recorded), the
# program's captions and errors in files, and keys sent to its window.
# Each test sources this file, calls start_display, start_game (or
# start_pulse and start_game_on_pulse), and the checks it needs; everything
# is cleaned up when the test exits.
set -euo pipefail

program=${EARSHOT_PROGRAM:?set EARSHOT_PROGRAM to the built earshot}
sounds=${EARSHOT_SOUNDS:-$(dirname "$program")/sounds}
catalogues=$(dirname "$program")/locale
# The game speaks English whatever this machine's language; a test of
# another language sets its own after this.
export LC_ALL=C.UTF-8
unset LANGUAGE
work=$(mktemp -d /tmp/earshot-test.XXXXXX)
export HOME=$work/home
mkdir -p "$HOME"
# No desktop speech service: the game speaks with its own voice, into the
# wave file. The runtime folder is private, SPEECHD_ADDRESS names a socket
# there that nobody serves, and the desktop settings forbid starting one.
export XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config
export SPEECHD_ADDRESS=unix_socket:$work/run/speechd.sock
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher"
echo DisableAutoSpawn >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
display_pid=""
game_pid=""
pulse_pid=""
record_pid=""
# What the program played: the wave output, or the recording of the
# PulseAudio server's output that is being made now.
heard=$work/out.wav

cleanup() {
  [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null || true
  [ -n "$record_pid" ] && kill -9 "$record_pid" 2>/dev/null || true
  [ -n "$pulse_pid" ] && kill -9 "$pulse_pid" 2>/dev/null || true
  [ -n "$display_pid" ] && kill "$display_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  if [ "${KEEP_WORK:-}" = "" ]; then rm -rf "$work"; fi
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/stdout" ] && { echo "--- captions:" >&2; cat "$work/stdout" >&2; }
  [ -f "$work/stderr" ] && { echo "--- errors:" >&2; cat "$work/stderr" >&2; }
  [ -f "$work/pulse.log" ] && { echo "--- sound server:" >&2; tail -n 20 "$work/pulse.log" >&2; }
  exit 1
}

# A virtual display of our own. Xvfb takes the first free display number
# itself and writes it to a file, so that tests that start at the same
# moment never pick the same one.
start_display() {
  Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  display_pid=$!
  local number
  for _ in $(seq 100); do
    number=$(head -n 1 "$work/display" 2>/dev/null || true)
    if [ -n "$number" ] && [ -e "/tmp/.X11-unix/X$number" ]; then
      export DISPLAY=":$number"
      return 0
    fi
    sleep 0.05
  done
  fail "the virtual display did not start"
}

# A copy of the program with its own sounds and locale folders, so that a
# test can take files away or spoil them.
make_install() {
  install_dir=$work/install
  mkdir -p "$install_dir"
  cp "$program" "$install_dir/earshot"
  cp -r "$sounds" "$install_dir/sounds"
  cp -r "$catalogues" "$install_dir/locale"
}

# Starts the program, the copy that make_install makes or the one named by
# $1, with its sound written to $work/out.wav.
start_game() {
  local game=${1:-}
  if [ -z "$game" ]; then
    [ -n "${install_dir:-}" ] || make_install
    game=$install_dir/earshot
  fi
  cat >"$work/alsoft.conf" <<CONF
[general]
drivers = wave
[wave]
file = $work/out.wav
CONF
  heard=$work/out.wav
  ALSOFT_CONF=$work/alsoft.conf ALSOFT_DRIVERS=wave \
    "$game" >"$work/stdout" 2>"$work/stderr" &
  game_pid=$!
}

# Waits up to $1 seconds for the window titled Form1; sets $window.
wait_for_window() {
  local limit=$(( ${1:-10} * 20 ))
  for _ in $(seq "$limit"); do
    window=$(xdotool search --name '^Form1$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && return 0
    kill -0 "$game_pid" 2>/dev/null || fail "the program ended before its window opened"
    sleep 0.05
  done
  fail "no window titled Form1 within $1 s"
}

# Keys go through the X test extension, as real key presses do, to the
# window with the focus, which the game takes when it opens.
# The program may end on a key before xdotool sends its release, and
# xdotool then complains about a window that is gone: that is no failure.
send_key() {
  xdotool key "$@" 2>/dev/null || true
}

# Waits up to $2 seconds for a line of standard output equal to $1.
wait_for_caption() {
  local limit=$(( ${2:-10} * 20 ))
  for _ in $(seq "$limit"); do
    grep -qxF -- "$1" "$work/stdout" 2>/dev/null && return 0
    sleep 0.05
  done
  fail "no caption \"$1\" within ${2:-10} s"
}

# Waits up to $1 seconds for the program to end; sets $status.
wait_for_exit() {
  local limit=$(( ${1:-5} * 100 ))
  for _ in $(seq "$limit"); do
    if ! kill -0 "$game_pid" 2>/dev/null; then
      set +e
      wait "$game_pid"
      status=$?
      set -e
      game_pid=""
      return 0
    fi
    sleep 0.01
  done
  fail "the program did not end within $1 s"
}

# ---- Listening to the wave output and waiting for the game ----

wav_measure=${EARSHOT_WAV_MEASURE:-$(dirname "$program")/tests/program/earshot_wav_measure}

# The wave output's (or the recording's) size in bytes now (0 before it
# exists).
wave_bytes() {
  stat -c %s "$heard" 2>/dev/null || echo 0
}

# Seconds of sound in a WAV file ($1, what the program played by default).
wave_seconds() {
  "$wav_measure" "${1:-$heard}" info | sed 's/.* seconds //'
}

# Waits up to $2 seconds for the wave output (or the recording) to hold $1
# seconds of sound.
wait_for_wave_seconds() {
  local limit=$(( ${2:-30} * 20 ))
  for _ in $(seq "$limit"); do
    if [ -s "$heard" ] &&
       awk -v have="$(wave_seconds)" -v want="$1" 'BEGIN { exit !(have >= want) }'; then
      return 0
    fi
    kill -0 "$game_pid" 2>/dev/null || fail "the program ended"
    sleep 0.05
  done
  fail "the wave output did not reach $1 s of sound within ${2:-30} s"
}

# The left and right levels (dB below full scale) of what the program
# played between two moments, given as the wave output's sizes then.
levels_between() {
  "$wav_measure" "$heard" bytes "$1" "$2" | cut -d' ' -f3-
}

# How many lines of standard output equal $1.
caption_count() {
  grep -cxF -- "$1" "$work/stdout" 2>/dev/null || true
}

# Waits up to $3 seconds for the caption $1 to have been written $2 times.
wait_for_caption_count() {
  local limit=$(( ${3:-10} * 20 ))
  for _ in $(seq "$limit"); do
    [ "$(caption_count "$1")" -ge "$2" ] && return 0
    kill -0 "$game_pid" 2>/dev/null || fail "the program ended"
    sleep 0.05
  done
  fail "the caption \"$1\" was written $(caption_count "$1") times, not $2, within ${3:-10} s"
}

# Sleeps about as long as the voice takes to say $1 (a caption is written
# as its sentence starts), with room to spare: a key sent while the voice
# speaks waits, and several keys that wait together are handled newest
# first by the key handler's pump, so keys whose order matters are sent
# one at a time into a game that is not speaking.
sleep_while_saying() {
  sleep "$(awk -v n="${#1}" 'BEGIN { printf "%.2f", 0.6 + 0.08 * n }')"
}

# Waits until the game runs, past its intro: P is said at once if it
# reaches the one pump at the intro's start, else after the intro; a second
# P is handled only once the game runs. Then lets the voice finish. $1 is
# the word P says after the score, "points." unless given.
wait_until_running() {
  local word=${1:-points.}
  send_key p
  wait_for_caption_count "$word" 1 20
  send_key p
  wait_for_caption_count "$word" 2 20
  sleep_while_saying "$word"
}

# The captions so far, one line each, as they should be: $@.
expect_captions() {
  local expected
  expected=$(printf '%s\n' "$@")
  [ "$(cat "$work/stdout")" = "$expected" ] ||
    fail "the captions differ from the expected ones:$(printf '\n  %s' "$@")"
}

# Presses the keys of the array named $1 one at a time, each once the
# caption of the one before it is out (the array named $2, by the same
# index): each key then waits alone for the voice and is handled after it.
press_each_once_said() {
  local -n keys_to_press=$1 captions_awaited=$2
  local i
  for i in "${!keys_to_press[@]}"; do
    send_key "${keys_to_press[i]}"
    wait_for_caption_count "${captions_awaited[i]}" 1 10
  done
}

# Presses key $1 $2 times, all at once: a key handler that pumps first
# handles the later ones before its own, which for presses of one move key
# comes to the same.
press() {
  local keys=()
  for _ in $(seq "$2"); do keys+=("$1"); done
  send_key --delay 0 "${keys[@]}"
}

# Freezes the drift and mutes speakers, one key at a time, each once the
# one before it has been said: $1 is what T says, then pairs of a mute key
# and what it says.
freeze_and_mute() {
  local last=$1
  send_key t
  wait_for_caption_count "$1" 1 10
  shift
  while [ $# -ge 2 ]; do
    send_key "$1"
    wait_for_caption_count "$2" 1 10
    last=$2
    shift 2
  done
  sleep_while_saying "$last"
}

# With the drift frozen, puts the front left speaker at exactly x -5, z -5
# (the first level's bound, where the drift left it close by): moves are
# not held to the bounds, but every tick clamps, frozen or not, so a
# speaker pushed past the bound is set on it by the next tick. What it
# plays from is then the pushed place until a key moves it again.
pin_front_left_at_the_bound() {
  press s 20
  press d 20
  sleep 0.5
}

# ---- A private PulseAudio server, as on a player's desktop ----
#
# The server is a child of the test, not a daemon, and reads no settings of
# the user or the system: -n runs no start-up script, PULSE_CONFIG names an
# empty daemon configuration, its runtime and state folders are in the work
# folder, and it sees no display and no session bus, so it announces itself
# nowhere. It loads only the native protocol, on a socket of its own and
# open to any client, and a null sink, which plays into nothing in real
# time; the sink's monitor is recorded with parec. The clients (the game,
# pactl, parec) read no client settings either and know only that socket.

# What the game says when its output goes and comes back, and when 3D
# sound cannot be had: kept here, so that a new wording is changed once.
lost_caption="The sound output was lost. The game goes on, and its sound comes back when the output does."
back_caption="The sound is back."
hrtf_off_caption="3D sound is off, so front and back will sound alike. The game plays on."

pulse_socket=$work/run/pulse.sock
pulse_rate=48000
recordings=0

# Starts the server with a null sink at $1 Hz (48000 by default, or the
# rate it had before), waits until it answers and starts a new recording of
# its output, which $heard then names.
start_pulse() {
  pulse_rate=${1:-$pulse_rate}
  export PULSE_SERVER=unix:$pulse_socket PULSE_CLIENTCONFIG=/dev/null
  env -u DISPLAY -u WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS=unix:path=$work/run/no-bus \
    PULSE_RUNTIME_PATH=$work/run/pulse PULSE_STATE_PATH=$work/pulse-state PULSE_CONFIG=/dev/null \
    pulseaudio -n --daemonize=no --use-pid-file=no --system=no --exit-idle-time=-1 \
      --disable-shm=yes --realtime=no --high-priority=no --log-target=stderr \
      -L "module-native-protocol-unix auth-anonymous=1 socket=$pulse_socket" \
      -L "module-null-sink sink_name=earshot rate=$pulse_rate channels=2" \
      >>"$work/pulse.log" 2>&1 &
  pulse_pid=$!
  # OpenAL Soft looks for the server once, at the program's first call, and
  # never again if it is not there: the game starts only once it answers.
  for _ in $(seq 200); do
    pactl info >/dev/null 2>&1 && break
    kill -0 "$pulse_pid" 2>/dev/null || fail "the PulseAudio server ended at its start"
    sleep 0.05
  done
  pactl info >/dev/null 2>&1 || fail "the PulseAudio server did not answer within 10 s"
  recordings=$((recordings + 1))
  heard=$work/heard-$recordings.wav
  parec -d earshot.monitor --file-format=wav --latency-msec=20 "$heard" 2>>"$work/pulse.log" &
  record_pid=$!
  for _ in $(seq 100); do
    [ "$(wave_bytes)" -gt 4096 ] && return 0
    sleep 0.05
  done
  fail "nothing was recorded from the PulseAudio server within 5 s"
}

# Kills the server at once, as a crash would; the recording ends with it.
kill_pulse() {
  kill -9 "$pulse_pid"
  wait "$pulse_pid" 2>/dev/null || true
  pulse_pid=""
  wait "$record_pid" 2>/dev/null || true
  record_pid=""
}

# Freezes the server (it keeps its socket and its clients, and does
# nothing), and lets it go on.
freeze_pulse() { kill -STOP "$pulse_pid"; }
thaw_pulse() { kill -CONT "$pulse_pid"; }

# Starts the program playing through the server. OpenAL Soft's settings are
# the system's and whatever the test put in $XDG_CONFIG_HOME/alsoft.conf.
start_game_on_pulse() {
  [ -n "${install_dir:-}" ] || make_install
  env -u ALSOFT_CONF ALSOFT_DRIVERS=pulse \
    "$install_dir/earshot" >"$work/stdout" 2>"$work/stderr" &
  game_pid=$!
}

# The left and right levels of the last $1 seconds of the recording.
recent_levels() {
  local seconds
  seconds=$(wave_seconds)
  "$wav_measure" "$heard" span "$(awk -v s="$seconds" -v l="$1" 'BEGIN { print s - l }')" "$seconds"
}

# Fails unless the program is still running; $1 says when.
expect_running() {
  kill -0 "$game_pid" 2>/dev/null || { wait_for_exit 1; fail "the program ended $1 (status $status)"; }
}

# Sends P and waits up to $1 seconds for the score's "points." to be said
# once more: the game answers keys.
expect_answer() {
  local before
  before=$(caption_count "points.")
  send_key p
  wait_for_caption_count "points." $((before + 1)) "${1:-10}"
}

# Starts the server (with a sink at $1 Hz, if given) and the program playing
# through it, and waits until the game runs past its intro.
start_running_on_pulse() {
  start_pulse "$@"
  start_game_on_pulse
  wait_for_window 10
  wait_until_running
}
