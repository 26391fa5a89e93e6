#!/usr/bin/env bash
# Start-up time and peak memory of a program under Xvfb, median of N runs.
# Time: from launch until its window named TITLE is mapped and has been painted (its centre pixel is
# no longer the X server's black background). Memory: peak resident set size, read by GNU time when the
# program is closed after the measurement.
# Usage: measure.sh TITLE RUNS PROGRAM
set -euo pipefail
title=$1 runs=$2 program=$3
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -f "$fifo"' EXIT
read -r number <"$fifo"
export DISPLAY=":$number"

times=() peaks=()
for _ in $(seq "$runs"); do
  log=$(mktemp)
  start=$(date +%s%N)
  /usr/bin/time -f '%M' -o "$log" "$program" >/dev/null 2>&1 &
  pid=$!
  win=""
  until [ -n "$win" ]; do
    kill -0 "$pid" 2>/dev/null || { echo "$program ended before showing its window" >&2; exit 1; }
    win=$(xdotool search --onlyvisible --name "^${title}" 2>/dev/null | head -n1 || true)
  done
  until [ "$(xwd -silent -id "$win" | convert xwd:- -gravity center -crop 1x1+0+0 -format '%[hex:p{0,0}]' info: 2>/dev/null)" != "000000" ]; do :; done
  end=$(date +%s%N)
  # The program is a child of GNU time, which reports its peak memory once it has ended.
  pkill -TERM -P "$pid"
  wait "$pid" || true
  times+=($(( (end - start) / 1000000 )))
  peaks+=($(cat "$log" | tail -n1))
  rm -f "$log"
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "$title: start-up $(median "${times[@]}") ms, peak memory $(( $(median "${peaks[@]}") / 1024 )) MiB (median of $runs)"
