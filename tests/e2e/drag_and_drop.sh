#!/usr/bin/env bash
# Drags novel files from a stand-in file manager onto Varentix's list with
# the real X pointer, presses Start, and checks the outcome on disk: every
# file renamed with its bytes unchanged, nothing else in the folder touched,
# and the drag not reported to its source as a move.
#
#   drag_and_drop.sh VARENTIX DRAG_SOURCE [SCREENSHOT.png]
set -euo pipefail

if [[ -z "${VARENTIX_XVFB:-}" ]]; then
  export VARENTIX_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" "$@"
fi

program=$1
drag_source=$2
screenshot=${3:-}
fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

folder="$work/下载"
mkdir -p "$folder"
# GBK first lines in the three layouts, and a file that must not be touched.
printf '\xa1\xb6\xb6\xb7\xc6\xc6\xb2\xd4\xf1\xb7\xa1\xb7\r\n\xd5\xfd\xce\xc4' > "$folder/1001.txt"
printf '[\xd6\xef\xcf\xc9]/\xcf\xf4\xb6\xa6\r\n\xd5\xfd\xce\xc4' > "$folder/1002.txt"
printf '\xd5\xda\xcc\xec\n\xd5\xfd\xce\xc4' > "$folder/1003.txt"
printf 'not dragged\n' > "$folder/notes.txt"
(cd "$folder" && sha256sum 1001.txt 1002.txt 1003.txt notes.txt) > "$work/before"

"$program" &
pids+=($!)
window=$(timeout 20 xdotool search --sync --name '^Varentix$' | head -n1) ||
  fail "no Varentix window"

"$drag_source" "$folder/1001.txt" "$folder/1002.txt" "$folder/1003.txt" > "$work/drag.log" &
pids+=($!)
source_window=$(timeout 20 xdotool search --sync --name '^drag source$' | head -n1) ||
  fail "no drag source window"
sleep 0.5

eval "$(xdotool getwindowgeometry --shell "$window")"
list_x=$((X + 125 + 200))
list_y=$((Y + 6 + 150))

xdotool mousemove --sync 60 60
xdotool mousedown 1
for step in $(seq 1 20); do
  xdotool mousemove --sync $((60 + (list_x - 60) * step / 20)) $((60 + (list_y - 60) * step / 20))
  sleep 0.05
done
sleep 0.3
xdotool mouseup 1

for _ in $(seq 50); do
  grep -q '^result:' "$work/drag.log" && break
  sleep 0.1
done
result=$(sed -n 's/^result: //p' "$work/drag.log")
echo "drag source saw: ${result:-nothing}"
[[ -n "$result" ]] || fail "the drag did not end"
[[ "$result" != move ]] || fail "the drop was reported to the source as a move"

# Start (按钮2) at 25,63 in the window, 80x28.
xdotool mousemove --sync $((X + 65)) $((Y + 77)) click 1
sleep 1

expected=$(printf '%s\n' 斗破苍穹.txt 诛仙.txt 遮天.txt notes.txt | sort)
actual=$(ls "$folder" | sort)
[[ "$actual" == "$expected" ]] || fail "folder holds: $(echo $actual)"
(
  cd "$folder"
  sed -e 's/1001.txt/斗破苍穹.txt/' -e 's/1002.txt/诛仙.txt/' -e 's/1003.txt/遮天.txt/' \
    "$work/before" | sha256sum --check --quiet
) || fail "file contents changed"

if [[ -n "$screenshot" ]]; then
  import -window root -crop "609x335+${X}+${Y}" "$screenshot"
  echo "screenshot saved to $screenshot"
fi
echo "PASS: dragged files renamed, bytes unchanged, no move reported"
