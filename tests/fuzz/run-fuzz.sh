#!/bin/sh
# SPDX-License-Identifier: MIT
# Usage: run-fuzz.sh <builddir> <seconds>
# Builds the fuzz targets with clang and runs the parser fuzzer for a bounded time. Findings
# and newly found inputs stay in the build directory; any finding fails the run.
set -eu

if [ $# -ne 2 ]; then
    echo "usage: $0 <builddir> <seconds>" >&2
    exit 2
fi
build=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)

CXX=clang++ cmake -S "$source_dir" -B "$build" -G Ninja -DZORVIK_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORVIK_WERROR=ON
cmake --build "$build" --target fuzz-parse-result -j2

work="$build/fuzz-parse-result"
mkdir -p "$work/corpus" "$work/artifacts"
"$build/bin/fuzz-parse-result" \
    -max_total_time="$seconds" -timeout=10 -max_len=16384 \
    -dict="$here/parse-result.dict" \
    -artifact_prefix="$work/artifacts/" \
    "$work/corpus" "$here/corpus"
