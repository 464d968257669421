#!/usr/bin/env bash
# Builds the logic library and its tests with clang, the address and
# undefined-behaviour sanitizers and warnings as errors into build-sanitize/,
# and runs those tests (the crash test included).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S "$root" -B "$root/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER=clang++ -DBRINESTEAD_LOGIC_ONLY=ON -DBRINESTEAD_WERROR=ON \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$root/build-sanitize" --parallel "${BUILD_JOBS:-$(nproc)}"
cd "$root/build-sanitize"
ASAN_OPTIONS=detect_leaks=0:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure --parallel "${BUILD_JOBS:-$(nproc)}"
