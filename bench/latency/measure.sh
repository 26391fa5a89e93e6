#!/usr/bin/env bash
# Input-to-screen latency of a pen stroke, as a person feels it: an XTest motion on the view until the
# X server reports the damage that covers the pixel it changed (probe.c), 96 x 80 at 600%, pen width 1.
# Each program runs on its own Xvfb; when kolourpaint is installed it is measured in the same run,
# round by round in turn with Velmora, so that both meet the same machine load.
# Needs: xvfb xdotool imagemagick libxcb-xtest0-dev libxcb-damage0-dev (scripts/install-deps.sh).
# Usage: bench/latency/measure.sh PATH/TO/velmora [ROUNDS] [MOTIONS]
set -euo pipefail
velmora=$(realpath "$1") rounds=${2:-3} motions=${3:-400}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

cc -O2 -o "$work/probe" "$here/probe.c" $(pkg-config --cflags --libs xcb xcb-xtest xcb-damage)

# Starts an Xvfb of its own and sets display_of[NAME] to its display.
declare -A display_of
start_display() {
  local fifo="$work/fifo.$1" number
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  pids+=($!)
  read -r number <"$fifo"
  display_of[$1]=":$number"
}

wait_for_window() {
  local name=$1 win=""
  for _ in $(seq 200); do
    win=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -n1 || true)
    [ -n "$win" ] && break
    sleep 0.05
  done
  [ -n "$win" ] || { echo "no window named $name" >&2; exit 1; }
  sleep 0.5
  xdotool windowfocus --sync "$win"
  echo "$win"
}

# Velmora: a blank 96 x 80 picture; the pen, width 1, is the tool at start.
start_display velmora
velmora_display=${display_of[velmora]}
DISPLAY=$velmora_display "$velmora" >/dev/null 2>&1 &
velmora_pid=$!
pids+=($velmora_pid)
DISPLAY=$velmora_display wait_for_window "Velmora" >/dev/null
DISPLAY=$velmora_display xdotool type 96 && DISPLAY=$velmora_display xdotool key Tab && \
  DISPLAY=$velmora_display xdotool type 80 && DISPLAY=$velmora_display xdotool key Return
sleep 0.5
canvas() { DISPLAY=$1 "$work/probe" find 96 80 6; }
programs=("velmora $velmora_display $velmora_pid $(canvas "$velmora_display")")

# kolourpaint: a white 96 x 80 picture, zoomed to 600% (100, 200, 300, 400, 600), the pen.
if command -v kolourpaint >/dev/null; then
  convert -size 96x80 xc:white "$work/white.png"
  start_display kolourpaint
  kolourpaint_display=${display_of[kolourpaint]}
  HOME=$work DISPLAY=$kolourpaint_display kolourpaint "$work/white.png" >"$work/kolourpaint.log" 2>&1 &
  kolourpaint_pid=$!
  pids+=($kolourpaint_pid)
  kolourpaint_window=$(DISPLAY=$kolourpaint_display wait_for_window "white.png") || { cat "$work/kolourpaint.log"; exit 1; }
  # Large enough for the whole canvas at 600%.
  DISPLAY=$kolourpaint_display xdotool windowsize --sync "$kolourpaint_window" 1200 900
  for _ in 1 2 3 4; do DISPLAY=$kolourpaint_display xdotool key ctrl+plus; sleep 0.2; done
  DISPLAY=$kolourpaint_display xdotool key p
  sleep 0.5
  programs+=("kolourpaint $kolourpaint_display $kolourpaint_pid $(canvas "$kolourpaint_display")")
fi

[ -n "${MEASURE_SHOT:-}" ] && for entry in "${programs[@]}"; do read -r name display pid <<<"$entry"; DISPLAY=$display import -window root "$MEASURE_SHOT.$name.png"; done
for round in $(seq 0 $((rounds - 1))); do
  for entry in "${programs[@]}"; do
    read -r name display pid left top <<<"$entry"
    printf 'round %d %-12s ' "$((round + 1))" "$name"
    DISPLAY=$display "$work/probe" "$pid" "$left" "$top" 6 $((round * 6)) "$motions"
  done
done
