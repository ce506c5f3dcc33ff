#!/usr/bin/env bash
# Builds everything and runs every test: formatting, native unit tests, the
# fuzzers for a few seconds each, and the end-to-end tests under Wine on a
# private Xvfb desktop with a throw-away prefix. Installs what it needs.
# Exits non-zero when anything fails; stops every process it started.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
source scripts/lib/deps.sh
source scripts/lib/build.sh
source scripts/lib/checks.sh
source scripts/lib/wine-desktop.sh
source scripts/lib/two-monitors.sh
source scripts/lib/e2e.sh

FUZZ_SECONDS=${FUZZ_SECONDS:-10}
passed=0
failed=0
failures=()
pass() { passed=$((passed + $1)); }
fail() { failed=$((failed + $1)); failures+=("$2"); }

ensure_packages

echo "== format"
if mapfile -t sources < <(formatted_sources) &&
  clang-format --dry-run --Werror "${sources[@]}"; then
  pass 1
else
  fail 1 "clang-format: run clang-format -i on the files above"
fi

echo "== layers"
if check_layers; then
  pass 1
else
  fail 1 "an include runs up the layers"
fi

echo "== native build and unit tests"
build_native
if ctest --test-dir build/native --output-on-failure --timeout 120 | tee build/native/ctest.log; then
  :
fi
read -r native_passed native_total < <(
  sed -nE 's/^[0-9]+% tests passed, ([0-9]+) tests failed out of ([0-9]+).*/\1 \2/p' \
    build/native/ctest.log | awk '{print $2 - $1, $2}')
native_passed=${native_passed:-0}
native_total=${native_total:-0}
pass "$native_passed"
if ((native_total == 0 || native_passed != native_total)); then
  fail $((native_total - native_passed)) "native unit tests"
fi

echo "== fuzzing, ${FUZZ_SECONDS} s per target"
build_fuzz
for target in fuzz_leading_number fuzz_load_settings; do
  corpus=build/fuzz/corpus/$target
  mkdir -p "$corpus"
  if (cd build/fuzz && "tests/fuzz/$target" -max_total_time="$FUZZ_SECONDS" -timeout=5 \
    -rss_limit_mb=2048 -print_final_stats=0 "$ROOT/$corpus" >"$target.log" 2>&1); then
    pass 1
    echo "$target: $(grep -Eo 'Done [0-9]+ runs' "build/fuzz/$target.log" || true)"
  else
    tail -n 40 "build/fuzz/$target.log"
    fail 1 "$target (crash input kept in build/fuzz)"
  fi
done

echo "== Windows build and end-to-end tests under Wine"
e2e_started=$SECONDS
build_windows
trap "wd_stop; tm_stop" EXIT
wd_start "$ROOT/build/e2e-desktop" "$ROOT/build/win/bin/desk_helper.exe"
# A runner that hangs must not hold CI: it gets a time limit, and stopping
# the desktop ends whatever it left behind.
runner_log=build/win/e2e.log
run_e2e_runner "$runner_log" build/win/bin/e2e-shots "${E2E_LIMIT_SECONDS:-1200}"
read -r e2e_ok e2e_bad < <(e2e_counts "$runner_log")
[[ $e2e_ok == - ]] || pass "$e2e_ok"
if [[ $e2e_bad != - ]]; then
  fail "$e2e_bad" "end-to-end tests (screenshots in build/win/bin/e2e-shots)"
elif [[ $e2e_ok == - ]]; then
  fail 1 "end-to-end runner did not finish"
fi
wd_stop
trap - EXIT
echo "Windows build and end-to-end tests: $((SECONDS - e2e_started)) s"

echo
for f in "${failures[@]}"; do echo "FAILED: $f"; done
print_test_ratio
echo "$passed passed, $failed failed"
((failed == 0))
