#!/usr/bin/env bash
# Checks the formatting, builds everything with warnings as errors and runs the whole test
# suite.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${BUILD_PACKAGES[@]}" "${GUI_PACKAGES[@]}" "${TEST_PACKAGES[@]}" \
  "${BROWSER_PACKAGES[@]}"
scripts/check-format.sh
cmake --preset ci >/dev/null
cmake --build --preset ci
# The browser packages were installed above: a missing browser fails the check, never skips it.
QX_REQUIRE_BROWSER=1 ctest --preset ci -j"$(nproc)"
