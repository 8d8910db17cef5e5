#!/usr/bin/env bash
# The real program with a desktop speech service: it speaks through the
# service (a private speech-dispatcher with the silent output, which plays
# in real time), and Escape still ends it with status 0 within a second
# while its connection to the service is open.
source "${EARSHOT_PROGRAM_TEST_LIB:?set EARSHOT_PROGRAM_TEST_LIB to tests/program/lib.sh}"
plugins=${EARSHOT_SILENT_AUDIO_PLUGIN_DIR:?set EARSHOT_SILENT_AUDIO_PLUGIN_DIR to the silent output}

service=$work/service
mkdir -p "$service/config" "$service/log" "$service/home"
mkdir -p -m 700 "$service/run"
cat >"$service/config/speechd.conf" <<CONF
AudioOutputMethod "silent"
AddModule "espeak-ng" "sd_espeak-ng" "/etc/speech-dispatcher/modules/espeak-ng.conf"
DefaultModule espeak-ng
LogDir "$service/log"
CONF
env -i PATH=/usr/bin:/bin HOME="$service/home" XDG_RUNTIME_DIR="$service/run" \
  SPEECHD_PLUGIN_DIR="$plugins" EARSHOT_SILENT_AUDIO_LOG="$service/audio.log" \
  speech-dispatcher --run-single --timeout 0 --config-dir "$service/config" \
    --communication-method unix_socket --socket-path "$service/run/speechd.sock" \
    --pid-file "$service/run/speechd.pid" --log-dir "$service/log" \
    >"$service/log/output.txt" 2>&1 &
service_pid=$!
# Its module ends when the service does.
trap '[ -n "$service_pid" ] && kill -9 "$service_pid" 2>/dev/null; cleanup' EXIT
for _ in $(seq 200); do
  [ -S "$service/run/speechd.sock" ] && break
  sleep 0.05
done
[ -S "$service/run/speechd.sock" ] || fail "the private speech service did not start"
export SPEECHD_ADDRESS=unix_socket:$service/run/speechd.sock

start_display
start_game
wait_for_window 10
# The first press may be handled in the one pump at the start of the
# intro, which then plays to its end without pumping; a second press is
# handled only once the game runs, and Escape is meant for a running game.
send_key p
wait_for_caption "points." 20
send_key p
for _ in $(seq 400); do
  [ "$(grep -cxF "points." "$work/stdout")" -ge 2 ] && break
  sleep 0.05
done
[ "$(grep -cxF "points." "$work/stdout")" -ge 2 ] || fail "the second score was not said within 20 s"
for _ in $(seq 100); do
  [ -s "$service/audio.log" ] && break
  sleep 0.05
done
[ -s "$service/audio.log" ] || fail "the game did not speak through the speech service"
# Let the service finish the score before the key.
sleep 2
send_key Escape
started=$(date +%s%N)
wait_for_exit 1
ended=$(date +%s%N)
[ "$status" -eq 0 ] || fail "Escape ended the program with status $status"
echo "spoke $(wc -l <"$service/audio.log") pieces through the service;" \
  "ended $(( (ended - started) / 1000000 )) ms after Escape, status 0"
