#!/usr/bin/env bash
# Builds the Windows tree and runs the benchmarks on a private Wine test
# desktop of its own (build/bench-desktop): BANCHIRO.EXE G against the
# physical limit (move_limit.exe) on 20 windows, end to end, then in-process;
# the private memory of the resident program and a relay against a bare
# windowed process; the size of the release executables. Prints figures;
# asserts nothing. Extra arguments go to arrange_bench.exe (the number of
# runs per program, default 10).
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
source scripts/lib/deps.sh
source scripts/lib/build.sh
source scripts/lib/wine-desktop.sh
source bench/memory_bench.sh

ensure_packages
build_windows
trap wd_stop EXIT
wd_start "$ROOT/build/bench-desktop" "$ROOT/build/win/bin/desk_helper.exe"
set +e
wd_wine build/win/bin/arrange_bench.exe "$@" 2>&1 | tr -d '\r'
rc=${PIPESTATUS[0]}
bench_memory build/win/bin
bench_sizes build/win/bin
set -e
wd_stop
trap - EXIT
exit "$rc"
