#!/usr/bin/env bash
# clang-tidy over the core and the batch tool (the checks are in .clang-tidy), with the
# compile commands of the ci build (scripts/test.sh makes it). Any finding fails.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${CHECK_PACKAGES[@]}"
build=build/ci
[ -f "$build/compile_commands.json" ] || { cmake --preset ci >/dev/null; }
mapfile -t files < <(git ls-files 'src/common/*.cpp' 'src/model/*.cpp' 'src/parfile/*.cpp' \
  'src/guide/*.cpp' 'src/exchange/*.cpp' 'tools/*.cpp' | grep -v '_win32\.cpp$')
printf '%s\n' "${files[@]}" | xargs -n 4 -P "$(nproc)" clang-tidy -p "$build" --quiet
echo "clang-tidy: ${#files[@]} arquivos sem apontamentos"
