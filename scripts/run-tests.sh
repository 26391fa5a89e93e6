#!/usr/bin/env bash
# Runs every test of a build directory. Tests that need a real X server get one from Xvfb.
set -euo pipefail
build=${1:-build}
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
fi
exec ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
