# Shared helpers for the tests that run the real program: a private
# virtual display, OpenAL Soft writing its output to a WAV file, the
# program's captions and errors in files, and keys sent to its window.
# Each test sources this file, calls start_display, start_game, and the
# checks it needs; everything is cleaned up when the test exits.
set -euo pipefail

program=${EARSHOT_PROGRAM:?set EARSHOT_PROGRAM to the built earshot}
sounds=${EARSHOT_SOUNDS:-$(dirname "$program")/sounds}
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

cleanup() {
  [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null || true
  [ -n "$display_pid" ] && kill "$display_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  if [ "${KEEP_WORK:-}" = "" ]; then rm -rf "$work"; fi
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/stdout" ] && { echo "--- captions:" >&2; cat "$work/stdout" >&2; }
  [ -f "$work/stderr" ] && { echo "--- errors:" >&2; cat "$work/stderr" >&2; }
  exit 1
}

# A virtual display of our own, on the first free number from 90.
start_display() {
  local number=90
  while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
    number=$((number + 1))
  done
  Xvfb ":$number" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
  display_pid=$!
  export DISPLAY=":$number"
  for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$number" ] && return 0
    sleep 0.05
  done
  fail "the virtual display did not start"
}

# A copy of the program with its own sounds folder, so that a test can
# take files away or spoil them.
make_install() {
  install_dir=$work/install
  mkdir -p "$install_dir"
  cp "$program" "$install_dir/earshot"
  cp -r "$sounds" "$install_dir/sounds"
}

# Starts the program with its sound written to $work/out.wav.
start_game() {
  [ -n "${install_dir:-}" ] || make_install
  cat >"$work/alsoft.conf" <<CONF
[general]
drivers = wave
[wave]
file = $work/out.wav
CONF
  ALSOFT_CONF=$work/alsoft.conf ALSOFT_DRIVERS=wave \
    "$install_dir/earshot" >"$work/stdout" 2>"$work/stderr" &
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
