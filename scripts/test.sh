#!/usr/bin/env bash
# Builds everything with warnings as errors and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${BUILD_PACKAGES[@]}" "${GUI_PACKAGES[@]}" "${TEST_PACKAGES[@]}" \
  "${BROWSER_PACKAGES[@]}"
cmake --preset ci >/dev/null
cmake --build --preset ci
ctest --preset ci -j"$(nproc)"
