#!/usr/bin/env bash
# Builds the Windows programs and the help, and packs the release archive a
# Windows user unzips and runs: build/win/package/BANCHIRO-<version>-win64.zip.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
source scripts/lib/deps.sh
source scripts/lib/build.sh

ensure_packages
build_windows
(cd "$BUILD_ROOT/win" && cpack >/dev/null)
ls "$BUILD_ROOT"/win/package/BANCHIRO-*-win64.zip
