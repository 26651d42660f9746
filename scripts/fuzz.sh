#!/usr/bin/env bash
# Fuzzes the parameter file loader, the product list import and the workbook reader with
# clang's libFuzzer for SECONDS each (default 30), starting from the sample files of
# tests/data, tests/data/csv and tests/data/workbooks. Fails on any crash, leak, timeout or
# sanitizer report; the input that caused it is kept under build/fuzz/artifacts.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
source scripts/packages.sh
scripts/install-deps.sh "${BUILD_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"
# libFuzzer comes with clang's runtime package, named after clang's version on each release
# (libclang-rt-N-dev; libclang-common-N-dev before it was split off).
if [ ! -f "$(clang -print-file-name=libclang_rt.fuzzer-x86_64.a)" ]; then
  major="$(clang -dumpversion | cut -d. -f1)"
  for runtime in "libclang-rt-$major-dev" "libclang-common-$major-dev"; do
    if apt-cache show "$runtime" >/dev/null 2>&1; then
      scripts/install-deps.sh "$runtime"
      break
    fi
  done
fi
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target par_loader_fuzz product_list_fuzz \
  workbook_fuzz

corpus="$(mktemp -d)"
trap 'rm -rf "$corpus"' EXIT
cp tests/data/*.par "$corpus"/
artifacts="build/fuzz/artifacts"
mkdir -p "$artifacts"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Inputs up to 64 KiB, beyond the loader's 48 768-byte reading limit.
build/fuzz/fuzz/par_loader_fuzz -max_total_time="$seconds" -max_len=65536 -timeout=10 \
  -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus"

csv_corpus="$(mktemp -d)"
trap 'rm -rf "$corpus" "$csv_corpus"' EXIT
cp tests/data/csv/*.csv "$csv_corpus"/
build/fuzz/fuzz/product_list_fuzz -max_total_time="$seconds" -max_len=65536 -timeout=10 \
  -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" "$csv_corpus"

book_corpus="$(mktemp -d)"
trap 'rm -rf "$corpus" "$csv_corpus" "$book_corpus"' EXIT
cp tests/data/workbooks/*.xlsx tests/data/workbooks/*.ods "$book_corpus"/
build/fuzz/fuzz/workbook_fuzz -max_total_time="$seconds" -max_len=65536 -timeout=10 \
  -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" "$book_corpus"
echo "Fuzzing: nenhuma falha em ${seconds} s por alvo."
