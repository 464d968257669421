#!/usr/bin/env bash
# Installs what is missing, builds everything (the program, the tests and the
# benchmark programs) with warnings as errors, and runs the whole test suite.
# BUILD_JOBS sets how many compilers and tests run at once.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" -DBRINESTEAD_WERROR=ON
(cd "$root/build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "${BUILD_JOBS:-$(nproc)}")
# The logic again, built by clang with the address and undefined-behaviour sanitizers.
"$root/scripts/sanitize.sh"
