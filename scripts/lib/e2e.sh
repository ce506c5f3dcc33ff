# shellcheck shell=bash
# Runs the end-to-end runner on a test desktop that wd_start has brought up,
# taking the screenshots it asks for, under a time limit.
#
#   run_e2e_runner LOG SHOTS_DIR LIMIT_SECONDS [gtest arguments...]
#
# The runner asks for a screenshot of the X screen (at a failure, and of a
# few views worth looking at) by leaving NAME.wanted in SHOTS_DIR; it waits
# until the file is gone. A runner that hangs (a modal box nobody answers)
# is stopped at the limit, after a last screenshot. Prints the log; fails
# when any test failed or the runner did not finish.
run_e2e_runner() {
  local log=$1 shots=$2 limit=$3 runner deadline wanted
  shift 3
  rm -rf "$shots"
  deadline=$((SECONDS + limit))
  wd_wine "$ROOT/build/win/bin/banchiro_e2e.exe" --gtest_color=no "$@" >"$log" 2>&1 &
  runner=$!
  while kill -0 "$runner" 2>/dev/null && ((SECONDS < deadline)); do
    for wanted in "$shots"/*.wanted; do
      [[ -e $wanted ]] || continue
      wd_screenshot "${wanted%.wanted}.png" || true
      rm -f "$wanted"
    done
    sleep 0.2
  done
  if kill -0 "$runner" 2>/dev/null; then
    echo "end-to-end runner still running after ${limit} s: stopped" >>"$log"
    wd_screenshot "${log%.log}-timeout.png" || true
    kill "$runner" 2>/dev/null || true
  fi
  wait "$runner" || true
  cat "$log"
}

# The counts of a finished runner's log: "passed failed" (failed is empty
# when none failed, passed empty when the runner did not finish).
e2e_counts() {
  local ok bad
  ok=$(sed -nE 's/^\[  PASSED  \] ([0-9]+) tests?\..*/\1/p' "$1" | tr -d '\r')
  bad=$(sed -nE 's/^\[  FAILED  \] ([0-9]+) tests?, listed below.*/\1/p' "$1" | tr -d '\r')
  echo "${ok:--} ${bad:--}"
}
