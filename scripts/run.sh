#!/usr/bin/env bash
# Builds BANCHIRO.EXE and starts it under Wine: on $DISPLAY when there is
# one, otherwise on a private Xvfb desktop, leaving a screenshot of what it
# shows. Arguments are passed to the program (for example a method letter).
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
source scripts/lib/deps.sh
source scripts/lib/build.sh
source scripts/lib/wine-desktop.sh

ensure_packages
build_windows

desk=$ROOT/build/run-desktop
trap wd_stop EXIT
if [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; then
  wd_start "$desk" "$ROOT/build/win/bin/desk_helper.exe" use_existing_display
  echo "BANCHIRO.EXE runs on $DISPLAY; it ends when you end it."
  wd_wine "$ROOT/build/win/bin/BANCHIRO.EXE" "$@" || true
else
  wd_start "$desk" "$ROOT/build/win/bin/desk_helper.exe"
  wd_wine "$ROOT/build/win/bin/BANCHIRO.EXE" "$@" &
  program=$!
  # Give it time to show what it shows (or to end), then take the picture.
  for _ in $(seq 1 100); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
  done
  shot=$ROOT/build/run-screenshot.png
  wd_screenshot "$shot"
  if kill -0 "$program" 2>/dev/null; then
    echo "BANCHIRO.EXE is running; screenshot of the desktop: $shot"
  else
    wait "$program" && status=0 || status=$?
    echo "BANCHIRO.EXE ended (exit code $status); screenshot of the desktop: $shot"
  fi
fi
