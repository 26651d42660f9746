#!/usr/bin/env bash
# Fails when a C++ file of the project differs from what .clang-format makes of it.
# Usage: check-format.sh [--fix]   (--fix rewrites the files instead)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${CHECK_PACKAGES[@]}"
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/qx-format.$$; then
  grep -o '^[^:]*\.\(cpp\|h\)' /tmp/qx-format.$$ | sort -u | sed 's/^/fora do formato: /'
  rm -f /tmp/qx-format.$$
  echo "Formate com: scripts/check-format.sh --fix" >&2
  exit 1
fi
rm -f /tmp/qx-format.$$
echo "formato: ${#files[@]} arquivos conferidos"
