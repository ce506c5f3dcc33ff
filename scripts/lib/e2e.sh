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
#
# Tests of a suite named ...Cp932... need the Japanese ANSI code page, which
# Wine takes from the Unix locale of each process: they skip themselves in
# the first pass, and those that did run again in a second pass, alone,
# under a Japanese locale made for the purpose (see e2e_japanese_locale).
# Its output is appended to the same log.
#
# Tests of a suite named TwoMonitor... need a desktop of two monitors, which
# the virtual desktop cannot be: they skip themselves in the first pass, and
# those run again in a pass of their own on the two-monitor desktop of
# two-monitors.sh, brought up for it (as root) and stopped after.
run_e2e_runner() {
  local log=$1 shots=$2 limit=$3 deadline japanese locales two
  shift 3
  rm -rf "$shots"
  : >"$log"
  deadline=$((SECONDS + limit))
  e2e__pass "$log" "$shots" "$deadline" 0 "$@"
  japanese=$(sed -nE 's/^\[  SKIPPED \] ([A-Za-z0-9_]*Cp932[A-Za-z0-9_]*\.[A-Za-z0-9_]+).*/\1/p' \
    "$log" | tr -d '\r' | sort -u | paste -sd:)
  if [[ -n $japanese ]]; then
    echo "== again, with the Japanese code page: $japanese" >>"$log"
    if locales=$(e2e_japanese_locale); then
      e2e__pass "$log" "$shots" "$deadline" 2 LOCPATH="$locales" LC_ALL=ja_JP.UTF-8 \
        --gtest_filter="$japanese"
    else
      echo "[  FAILED  ] 1 test, listed below: the Japanese locale could not be made" >>"$log"
    fi
  fi
  two=$(sed -nE 's/^\[  SKIPPED \] (TwoMonitor[A-Za-z0-9_]*\.[A-Za-z0-9_]+).*/\1/p' "$log" |
    tr -d '\r' | sort -u | paste -sd:)
  if [[ -n $two ]]; then
    echo "== again, on two monitors: $two" >>"$log"
    if tm_start "$ROOT/build/e2e-two-monitors" "$ROOT/build/win/bin/desk_helper.exe" >>"$log" 2>&1
    then
      # The test fails rather than skips when it finds one monitor there.
      E2E__SHOT_DISPLAY=$TM_DISPLAY e2e__pass "$log" "$shots" "$deadline" $((${#TM_ENV[@]} + 1)) \
        "${TM_ENV[@]}" BANCHIRO_E2E_TWO_MONITORS=1 --gtest_filter="$two"
    else
      echo "[  FAILED  ] 1 test, listed below: the two-monitor desktop did not start" >>"$log"
    fi
    tm_stop
  fi
  cat "$log"
}

# One run of the runner, its output appended to LOG, stopped at DEADLINE:
#   e2e__pass LOG SHOTS_DIR DEADLINE N [N VAR=VALUE words for its environment] [arguments]
e2e__pass() {
  local log=$1 shots=$2 deadline=$3 runner wanted
  local -a vars=("${@:5:$4}")
  shift $((4 + $4))
  "${WD_ENV[@]}" "${vars[@]}" wine "$ROOT/build/win/bin/banchiro_e2e.exe" --gtest_color=no "$@" \
    >>"$log" 2>&1 &
  runner=$!
  while kill -0 "$runner" 2>/dev/null && ((SECONDS < deadline)); do
    for wanted in "$shots"/*.wanted; do
      [[ -e $wanted ]] || continue
      e2e__screenshot "${wanted%.wanted}.png" || true
      rm -f "$wanted"
    done
    sleep 0.2
  done
  if kill -0 "$runner" 2>/dev/null; then
    echo "end-to-end runner still running at the time limit: stopped" >>"$log"
    e2e__screenshot "${log%.log}-timeout.png" || true
    kill "$runner" 2>/dev/null || true
  fi
  wait "$runner" || true
}

# The screen of the pass that runs: E2E__SHOT_DISPLAY's, else the test desktop's.
e2e__screenshot() {
  if [[ -n ${E2E__SHOT_DISPLAY:-} ]]; then
    DISPLAY=$E2E__SHOT_DISPLAY import -window root "$1"
  else
    wd_screenshot "$1"
  fi
}

# Prints the folder of a ja_JP.UTF-8 locale for LOCPATH, made once under the
# build tree (the machine's own locales are left as they are).
e2e_japanese_locale() {
  local dir=$ROOT/build/locale
  if [[ ! -f $dir/ja_JP.UTF-8/LC_CTYPE ]]; then
    rm -rf "$dir" && mkdir -p "$dir" &&
      localedef -i ja_JP -f UTF-8 "$dir/ja_JP.UTF-8" >&2 || return 1
  fi
  echo "$dir"
}

# The counts of a finished runner's log, over all its passes: "passed failed"
# (failed is "-" when none failed, passed "-" when a pass did not finish).
e2e_counts() {
  local ok bad started finished
  ok=$(sed -nE 's/^\[  PASSED  \] ([0-9]+) tests?\..*/\1/p' "$1" | tr -d '\r' |
    awk '{ n += $1 } END { if (NR) print n }')
  bad=$(sed -nE 's/^\[  FAILED  \] ([0-9]+) tests?, listed below.*/\1/p' "$1" | tr -d '\r' |
    awk '{ n += $1 } END { if (NR) print n }')
  started=$(grep -c '^\[==========\] Running' "$1" || true)
  finished=$(grep -cE '^\[==========\] [0-9]+ tests? from .* ran\.' "$1" || true)
  ((finished == started)) || ok=""
  echo "${ok:--} ${bad:--}"
}
