#!/usr/bin/env bash
# Starts Varentix in a real X server, checks the window's size and place,
# saves a screenshot, presses Esc and checks that the program ended.
#
#   real_window.sh VARENTIX [SCREENSHOT.png]
set -euo pipefail

if [[ -z "${VARENTIX_XVFB:-}" ]]; then
  export VARENTIX_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" "$@"
fi

program=$1
screenshot=${2:-}
fail() { echo "FAIL: $*" >&2; exit 1; }

"$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

window=$(timeout 20 xdotool search --sync --name '^Varentix$' | head -n1) ||
  fail "no window named Varentix appeared"

read_geometry() {
  xwininfo "$@" | awk -F: '
    /Absolute upper-left X/ {x=$2} /Absolute upper-left Y/ {y=$2}
    /Width/ {w=$2} /Height/ {h=$2}
    END {gsub(/ /, "", x); gsub(/ /, "", y); gsub(/ /, "", w); gsub(/ /, "", h); print x, y, w, h}'
}
read -r x y width height < <(read_geometry -id "$window")
read -r _ _ screen_width screen_height < <(read_geometry -root)
echo "window ${width}x${height} at ${x},${y} on a ${screen_width}x${screen_height} screen"

[[ "$width" -eq 609 && "$height" -eq 335 ]] || fail "client area is ${width}x${height}, not 609x335"
# No window manager runs here, so the outer rectangle is the client area
# placed where the centred 615x361 frame would start.
[[ "$x" -eq $(((screen_width - 615) / 2)) && "$y" -eq $(((screen_height - 361) / 2)) ]] ||
  fail "window at ${x},${y} is not centred"

if [[ -n "$screenshot" ]]; then
  sleep 0.5
  import -window root -crop "${width}x${height}+${x}+${y}" "$screenshot"
  echo "screenshot saved to $screenshot"
fi

xdotool windowfocus --sync "$window"
xdotool key Escape
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "Esc did not end the program"
wait "$pid" || fail "the program ended with an error"
trap - EXIT
echo "PASS: window size, position and Esc"
