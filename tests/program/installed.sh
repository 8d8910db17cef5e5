#!/usr/bin/env bash
# The game as "cmake --install" lays it out under a prefix, in Debian's
# layout for games: the program in lib/games/earshot with links to its
# sounds and locale folders beside it, a relative command link in games,
# the sounds, translations, menu entry, icon, manual page and documents in
# share. Started through the
# command link from another working folder, the installed program finds its
# sounds, answers P and ends on Escape with status 0.
source "$(dirname "$0")/lib.sh"

build=${EARSHOT_BUILD_DIR:?set EARSHOT_BUILD_DIR to the build folder}
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" ||
  fail "cmake --install failed: $(cat "$work/install.log")"

# Every file and link of the install: the kind, the path under the prefix
# and, for a link, where it points.
expected=$(
  cat <<'LAYOUT'
link games/earshot ../lib/games/earshot/earshot
file lib/games/earshot/earshot
link lib/games/earshot/locale ../../../share/games/earshot/locale
link lib/games/earshot/sounds ../../../share/games/earshot/sounds
file share/applications/invalid.earshot.Earshot.desktop
file share/doc/earshot/README.md.gz
file share/doc/earshot/changelog.gz
file share/doc/earshot/copyright
file share/icons/hicolor/scalable/apps/invalid.earshot.Earshot.svg
file share/man/man6/earshot.6.gz
file share/metainfo/invalid.earshot.Earshot.metainfo.xml
LAYOUT
  for sound in "$sounds"/*.wav; do echo "file share/games/earshot/sounds/$(basename "$sound")"; done
  for catalogue in "$catalogues"/*/LC_MESSAGES/earshot.mo; do
    echo "file share/games/earshot/locale/${catalogue#"$catalogues"/}"
  done
)
expected=$(sort -k2 <<<"$expected")
actual=$(cd "$prefix" && find . \( -type f -o -type l \) -printf '%y %P %l\n' |
  sed -e 's/^f /file /' -e 's/^l /link /' -e 's/ $//' | sort -k2)
[ "$actual" = "$expected" ] ||
  fail "the install differs from the layout:$(diff <(echo "$expected") <(echo "$actual") | sed 's/^/  /')"
[ "$(ls "$prefix/share/games/earshot/sounds" | wc -l)" -eq 15 ] ||
  fail "the installed sounds folder holds $(ls "$prefix/share/games/earshot/sounds" | wc -l) files, not 15"
[ -x "$prefix/lib/games/earshot/earshot" ] || fail "the installed program is not executable"
[ -d "$prefix/lib/games/earshot/sounds/" ] || fail "the sounds link beside the program leads nowhere"
for sound in "$sounds"/*.wav; do
  cmp -s "$sound" "$prefix/lib/games/earshot/sounds/$(basename "$sound")" ||
    fail "$(basename "$sound") read through the program's sounds link differs from the build's"
done
for catalogue in "$catalogues"/*/LC_MESSAGES/earshot.mo; do
  cmp -s "$catalogue" "$prefix/lib/games/earshot/locale/${catalogue#"$catalogues"/}" ||
    fail "${catalogue#"$catalogues"/} read through the program's locale link differs from the build's"
done
echo "the install under the prefix has the layout: $(wc -l <<<"$actual") files and links"

# Started through the command link from a working folder of its own.
mkdir -p "$work/elsewhere"
cd "$work/elsewhere"
start_display
start_game "$prefix/games/earshot"
wait_for_window 10
program_folder=$(readlink "/proc/$game_pid/cwd" || true)
[ "$program_folder" = "$prefix/lib/games/earshot" ] ||
  fail "the installed program works in \"$program_folder\", not in its own folder $prefix/lib/games/earshot"
send_key p
wait_for_caption "points." 20
sleep_while_saying "points."
send_key Escape
wait_for_exit 1
[ "$status" -eq 0 ] || fail "Escape ended the installed program with status $status"
[ -s "$work/stderr" ] && fail "the installed program wrote to standard error"
echo "the installed program, started from $work/elsewhere, said the score and ended on Escape with status 0"
