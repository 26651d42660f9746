#!/usr/bin/env bash
# The benchmarks (Google Benchmark, Release build): installs what they need, builds them and
# runs each one; arguments go to every benchmark (e.g. --benchmark_filter=Load).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"
cmake --preset bench >/dev/null
cmake --build --preset bench
for bench in build/bench/bench/*_bench; do
  echo "== $bench"
  "$bench" "$@"
done
