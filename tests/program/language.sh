#!/usr/bin/env bash
# Under a German locale the game says and captions German: the score word,
# the toggles and F1's help. The locale is made in the test's own folder,
# so the machine's locales stay as they are.
source "$(dirname "$0")/lib.sh"

mkdir -p "$work/locales"
localedef -i de_DE -f UTF-8 "$work/locales/de_DE.UTF-8" >"$work/localedef.log" 2>&1 || true
[ -f "$work/locales/de_DE.UTF-8/LC_CTYPE" ] ||
  fail "localedef could not make de_DE.UTF-8: $(cat "$work/localedef.log")"
export LOCPATH=$work/locales
export LC_ALL=de_DE.UTF-8

start_display
start_game
wait_for_window 10
wait_until_running "Punkte."

keys=(t t Return Return g g)
said=("Lautsprecher angehalten." "Lautsprecher bewegen sich wieder."
      "Die hinteren Lautsprecher." "Die vorderen Lautsprecher."
      "Lautsprecher vorne links stumm." "Lautsprecher vorne links wieder laut.")
press_each_once_said keys said
sleep_while_saying "${said[5]}"

help=("Bring die vier Lautsprecher an ihren Platz bei dir und fixiere sie."
      "E, D, S und F bewegen den linken Lautsprecher vor, zurück, links und rechts; I, K, J und L den rechten."
      "Enter wechselt zwischen vorn und hinten."
      "Leertaste fixiert, was passt, und kostet Punkte."
      "G, H, B und N schalten vorne links, vorne rechts, hinten links und hinten rechts stumm."
      "T hält die Lautsprecher an oder lässt sie treiben."
      "A, Semikolon, Z und Schrägstrich schicken ihnen den Suchton, in gleicher Reihenfolge."
      "P sagt den Punktestand."
      "Escape beendet das Spiel.")
send_key F1
wait_for_caption "${help[8]}" 60

expect_captions 100 Punkte. 100 Punkte. "${said[@]}" "${help[@]}"
send_key Escape
wait_for_exit 1
[ "$status" -eq 0 ] || fail "Escape ended the program with status $status"
echo "language: the score word, the toggles and the help in German"
