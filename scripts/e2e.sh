#!/usr/bin/env bash
# Builds the Windows tree and runs the end-to-end tests alone, on a private
# test desktop; arguments go to the GoogleTest runner, for example
#   scripts/e2e.sh --gtest_filter='SettingsDialogE2eTest.*'
# Screenshots land in build/win/bin/e2e-shots. Exits non-zero on a failure.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
source scripts/lib/deps.sh
source scripts/lib/build.sh
source scripts/lib/wine-desktop.sh
source scripts/lib/two-monitors.sh
source scripts/lib/e2e.sh

ensure_packages
build_windows
trap "wd_stop; tm_stop" EXIT
wd_start "$ROOT/build/e2e-desktop" "$ROOT/build/win/bin/desk_helper.exe"
log=build/win/e2e.log
run_e2e_runner "$log" build/win/bin/e2e-shots "${E2E_LIMIT_SECONDS:-1200}" "$@"
read -r ok bad < <(e2e_counts "$log")
[[ $ok != - && $bad == - ]]
