#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the dependencies, then builds and runs every test: the warnings-as-errors build with
# the end-to-end desktop tests, the same suite under ASan+UBSan, and a bounded fuzz run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/install-deps.sh

echo "== format"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

echo "== build"
cmake -S . -B build -G Ninja -DZORVIK_WERROR=ON -DZORVIK_E2E=ON
cmake --build build
ctest --test-dir build --output-on-failure

echo "== sanitizers"
cmake -S . -B build-asan -G Ninja -DZORVIK_WERROR=ON -DZORVIK_SANITIZE=ON
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure

echo "== fuzz"
tests/fuzz/run-fuzz.sh build-fuzz 60
